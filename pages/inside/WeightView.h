#pragma once
// The weight matrix drawn as a picture: output units as rows, input units as columns,
// either a heat map on the diverging scale or, for small nets, a Hinton diagram.

#include <QImage>
#include <QWidget>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::inside {

// Largest number of weights a Hinton diagram is offered for: beyond it the squares would
// be too small to read.
inline constexpr int kHintonLimit = 64 * 64;

// The weights (outputs down, inputs across) on the diverging scale -limit..limit, into
// `image`, which keeps its memory when it already has the right size: one pixel per weight,
// but no larger than `most` (when given), a pixel then showing the weight of the units at
// its place, as the view stretched over the whole matrix would show.
void RenderHeatMap(const WeightMatrix& weights, double limit, QImage& image, QSize most = {});

// The Hinton diagram of the weights into `image` (grey background, one cell per weight, a
// box of the cell's shape whose area is in proportion to the magnitude, 81 % of the cell at
// the largest; red for positive and blue for negative).
void RenderHinton(const WeightMatrix& weights, double limit, QImage& image);

class WeightView : public QWidget {
    Q_OBJECT
  public:
    enum class Mode { kHeatMap, kHinton };
    explicit WeightView(QWidget* parent = nullptr);

    // Draws these weights from now on (a copy is kept for hovering and the Hinton squares).
    void ShowWeights(const WeightMatrix& weights);
    // Whether these are, bit for bit, the weights drawn now.
    bool Shows(const WeightMatrix& weights) const;
    void SetMode(Mode mode);
    Mode CurrentMode() const { return mode_; }
    double Limit() const { return limit_; }
    int Outputs() const { return weights_.NumOutputs(); }
    int Inputs() const { return weights_.NumInputs(); }
    // Times the picture was redrawn from new weights.
    int Redraws() const { return redraws_; }

    // The output and input units drawn at a point of the widget; {0, 0} outside the matrix.
    std::pair<int, int> CellAt(QPoint point) const;
    // What hovering that cell shows: "Output j, input i: weight w" (empty outside).
    QString DescribeCell(int output, int input) const;

  signals:
    void Hovered(const QString& text);
    void OutputClicked(int output);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRect MatrixRect() const;
    void Render();

    WeightMatrix weights_;
    double limit_ = 0.0;
    Mode mode_ = Mode::kHeatMap;
    QImage picture_;
    int redraws_ = 0;
};

// The colour scale's bar, with its range written at both ends and 0 in the middle.
class ColourBar : public QWidget {
    Q_OBJECT
  public:
    explicit ColourBar(QWidget* parent = nullptr);
    void SetLimit(double limit);
    double Limit() const { return limit_; }
    // The range as the bar writes it, four significant digits, e.g. "-0.5467 ... 0 ... +0.5467"
    // (the exact limit on hover).
    QString RangeText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double limit_ = 0.0;
};

}  // namespace mnemex::inside
