#pragma once
// A pattern's units as a small picture, laid out in rows of a chosen width, drawn on a
// scale the page gives (grey, or diverging about 0 for errors) and stating that scale
// underneath.

#include <QWidget>
#include <vector>

#include "pages/inside/PatternGrid.h"

namespace mnemex::inside {

class PatternPicture : public QWidget {
    Q_OBJECT
  public:
    explicit PatternPicture(QWidget* parent = nullptr);

    void ShowValues(std::vector<double> values, int width, PictureScale scale);
    // Nothing shown: no units, no scale.
    void Clear();
    const std::vector<double>& Values() const { return values_; }
    int GridWidth() const { return width_; }
    const PictureScale& Scale() const { return scale_; }
    // The scale as written under the picture, e.g. "0 black to 1 white".
    QString ScaleText() const;
    // The colour unit `unit` (from 1) is drawn in.
    QColor UnitColour(int unit) const;
    // A unit's cell: as wide as tall, unless that is too flat to see and the rows leave
    // room: then as wide as the picture allows and kMinimumCellHeight tall (a strip of many
    // units stays visible).
    QSizeF CellSize() const;
    static constexpr double kMinimumCellHeight = 12.0;
    // The unit (from 1) drawn at a point, 0 for none.
    int UnitAt(QPoint point) const;

  signals:
    void UnitClicked(int unit);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRectF GridRect() const;

    std::vector<double> values_;
    int width_ = 0;
    PictureScale scale_;
};

}  // namespace mnemex::inside
