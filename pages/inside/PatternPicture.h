#pragma once
// A pattern's units as a small grey-scale picture, laid out in rows of a chosen width,
// with its value range written underneath (black the lowest value, white the highest).

#include <QWidget>
#include <vector>

#include "pages/inside/PatternGrid.h"

namespace mnemex::inside {

class PatternPicture : public QWidget {
    Q_OBJECT
  public:
    explicit PatternPicture(QWidget* parent = nullptr);

    void ShowValues(std::vector<double> values, int width);
    const std::vector<double>& Values() const { return values_; }
    int GridWidth() const { return width_; }
    ValueRange Range() const { return range_; }
    // "low to high" as written under the picture.
    QString RangeText() const;
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
    ValueRange range_;
};

}  // namespace mnemex::inside
