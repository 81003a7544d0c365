#include "pages/inside/WeightView.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/NumberForms.h"
#include "pages/inside/MeasuresTable.h"
#include "pages/inside/WeightColours.h"

namespace mnemex::inside {

namespace {

// The bar's ends on screen; the exact limit is on hover.
QString Short(double v) {
    return QString::fromStdString(Shown(v, 4));
}

QString General(double v) {
    return QString::fromStdString(FormatGeneral(v));
}

}  // namespace

void RenderHeatMap(const WeightMatrix& weights, double limit, QImage& image, QSize most) {
    const int outputs = weights.NumOutputs();
    const int inputs = weights.NumInputs();
    const int width = most.width() > 0 ? std::min(inputs, most.width()) : inputs;
    const int height = most.height() > 0 ? std::min(outputs, most.height()) : outputs;
    // A fresh picture each redraw cost more than drawing it (new pages to map and clear).
    const QSize size(std::max(1, width), std::max(1, height));
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    if (width == 0 || height == 0) {
        image.fill(Qt::white);
        return;
    }
    // The unit each pixel shows, the one under it when the picture fills the view.
    std::vector<int> inputOf(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        inputOf[static_cast<std::size_t>(x)] = 1 + int(std::int64_t{x} * inputs / width);
    std::vector<int> outputOf(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        outputOf[static_cast<std::size_t>(y)] = int(std::int64_t{y} * outputs / height);

    const ColourTable& table = DivergingTable();
    const double scale = limit > 0 ? kColourSteps / limit : 0.0;
    const double steps = kColourSteps;
    // The view is redrawn while a run trains, on the run's thread: one pass without a call
    // per pixel. Storage runs input row by input row, so a band of inputs is read as that
    // many streams while each image row gets a run of neighbouring pixels.
    QRgb* const pixels = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    constexpr int kBand = 16;
    const double* rows[kBand];
    for (int first = 0; first < width; first += kBand) {
        const int count = std::min(kBand, width - first);
        for (int b = 0; b < count; ++b)
            rows[b] = weights.Row(inputOf[static_cast<std::size_t>(first + b)]);
        for (int y = 0; y < height; ++y) {
            const int j = outputOf[static_cast<std::size_t>(y)];
            QRgb* out = pixels + y * stride + first;
            for (int b = 0; b < count; ++b) {
                const double t = std::clamp(rows[b][j] * scale, -steps, steps);
                // To the nearest step without a branch (trained weights defeat the branch
                // predictor); a weight that is not a number is drawn white.
                const int k = std::isnan(t) ? 0 : static_cast<int>(t + std::copysign(0.5, t));
                out[b] = table[static_cast<std::size_t>(kColourSteps + k)];
            }
        }
    }
}

void RenderHinton(const WeightMatrix& weights, double limit, QImage& image) {
    image.fill(QColor(200, 200, 200));
    const int outputs = weights.NumOutputs();
    const int inputs = weights.NumInputs();
    if (outputs == 0 || inputs == 0)
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double cw = double(image.width()) / inputs;
    const double ch = double(image.height()) / outputs;
    for (int j = 1; j <= outputs; ++j) {
        for (int i = 1; i <= inputs; ++i) {
            const double w = weights.Weight(j, i);
            // Each box takes its cell's shape, so a matrix far wider than tall still fills
            // the view; its area is still in proportion to the magnitude.
            const double side = HintonSide(w, limit) * 0.9;
            if (side <= 0)
                continue;
            const QPointF centre((i - 0.5) * cw, (j - 0.5) * ch);
            const QSizeF box(side * cw, side * ch);
            painter.fillRect(QRectF(centre - QPointF(box.width(), box.height()) / 2, box),
                             w > 0 ? QColor(220, 0, 0) : QColor(0, 0, 220));
        }
    }
}

WeightView::WeightView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void WeightView::ShowWeights(const WeightMatrix& weights) {
    weights_ = weights;
    limit_ = LargestMagnitude(weights_);
    ++redraws_;
    Render();
}

bool WeightView::Shows(const WeightMatrix& weights) const {
    // While a run trains the first values already differ, so the usual answer costs next
    // to nothing; an unchanged matrix is one pass of memcmp.
    const std::vector<double>& now = weights.Storage();
    const std::vector<double>& drawn = weights_.Storage();
    return weights.NumOutputs() == weights_.NumOutputs() &&
           weights.NumInputs() == weights_.NumInputs() && now.size() == drawn.size() &&
           (now.empty() || std::memcmp(now.data(), drawn.data(), now.size() * sizeof(double)) == 0);
}

void WeightView::SetMode(Mode mode) {
    mode_ = mode;
    Render();
}

void WeightView::Render() {
    if (mode_ == Mode::kHinton && weights_.NumOutputs() * weights_.NumInputs() <= kHintonLimit) {
        picture_ = QImage(std::max(1, MatrixRect().width()), std::max(1, MatrixRect().height()),
                          QImage::Format_RGB32);
        RenderHinton(weights_, limit_, picture_);
    } else {
        // In device pixels, so a scaled screen still gets one pixel of picture per pixel.
        RenderHeatMap(weights_, limit_, picture_,
                      (QSizeF(MatrixRect().size()) * devicePixelRatioF()).toSize());
    }
    update();
}

QRect WeightView::MatrixRect() const {
    // The whole view: a net with few outputs gets tall cells rather than a thin strip.
    return rect();
}

void WeightView::resizeEvent(QResizeEvent*) {
    Render();
}

void WeightView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(MatrixRect(), picture_);
}

std::pair<int, int> WeightView::CellAt(QPoint point) const {
    const QRect m = MatrixRect();
    if (weights_.NumOutputs() == 0 || weights_.NumInputs() == 0 || !m.contains(point))
        return {0, 0};
    const int input = 1 + point.x() * weights_.NumInputs() / m.width();
    const int output = 1 + point.y() * weights_.NumOutputs() / m.height();
    return {std::min(output, weights_.NumOutputs()), std::min(input, weights_.NumInputs())};
}

QString WeightView::DescribeCell(int output, int input) const {
    if (output < 1 || input < 1 || output > weights_.NumOutputs() || input > weights_.NumInputs())
        return {};
    return QStringLiteral("Output %1, input %2: weight %3")
        .arg(output)
        .arg(input)
        .arg(General(weights_.Weight(output, input)));
}

void WeightView::mouseMoveEvent(QMouseEvent* event) {
    const auto [output, input] = CellAt(event->position().toPoint());
    const QString text = DescribeCell(output, input);
    setToolTip(text);
    emit Hovered(text);
}

void WeightView::mousePressEvent(QMouseEvent* event) {
    const int output = CellAt(event->position().toPoint()).first;
    if (output > 0)
        emit OutputClicked(output);
}

ColourBar::ColourBar(QWidget* parent) : QWidget(parent) {}

void ColourBar::SetLimit(double limit) {
    limit_ = limit;
    setToolTip(QStringLiteral("Largest weight magnitude: ") + General(limit));
    update();
}

QString ColourBar::RangeText() const {
    return QStringLiteral("%1 ... 0 ... +%2").arg(Short(-limit_), Short(limit_));
}

void ColourBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int barHeight = height() / 2;
    const int w = std::max(1, width());
    for (int x = 0; x < w; ++x) {
        const double v = limit_ * (2.0 * x / (w - 1 > 0 ? w - 1 : 1) - 1.0);
        painter.setPen(QColor::fromRgb(DivergingColour(v, limit_)));
        painter.drawLine(x, 0, x, barHeight);
    }
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, w - 1, barHeight);
    const QRect text(0, barHeight, w, height() - barHeight);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, Short(-limit_));
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("+") + Short(limit_));
}

}  // namespace mnemex::inside
