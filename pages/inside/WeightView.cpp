#include "pages/inside/WeightView.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "core/NumberForms.h"
#include "pages/inside/WeightColours.h"

namespace mnemex::inside {

namespace {

QString General(double v) {
    return QString::fromStdString(FormatGeneral(v));
}

}  // namespace

QImage RenderHeatMap(const WeightMatrix& weights, double limit) {
    const int outputs = weights.NumOutputs();
    const int inputs = weights.NumInputs();
    QImage image(std::max(1, inputs), std::max(1, outputs), QImage::Format_RGB32);
    image.fill(Qt::white);
    const ColourTable& table = DivergingTable();
    const double scale = limit > 0 ? kColourSteps / limit : 0.0;
    // Storage runs input row by input row, so each row of weights fills one image column.
    for (int i = 1; i <= inputs; ++i) {
        const double* row = weights.Row(i);
        for (int j = 0; j < outputs; ++j) {
            const double t =
                std::clamp(row[j] * scale, -double(kColourSteps), double(kColourSteps));
            const int k =
                std::isnan(t) ? kColourSteps : kColourSteps + static_cast<int>(std::lround(t));
            reinterpret_cast<QRgb*>(image.scanLine(j))[i - 1] = table[static_cast<std::size_t>(k)];
        }
    }
    return image;
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
    const double cell = std::min(cw, ch);
    for (int j = 1; j <= outputs; ++j) {
        for (int i = 1; i <= inputs; ++i) {
            const double w = weights.Weight(j, i);
            const double side = HintonSide(w, limit) * cell * 0.9;
            if (side <= 0)
                continue;
            const QPointF centre((i - 0.5) * cw, (j - 0.5) * ch);
            painter.fillRect(QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side),
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
        picture_ = RenderHeatMap(weights_, limit_);
    }
    update();
}

QRect WeightView::MatrixRect() const {
    // The whole view: a net with few outputs gets tall cells rather than a thin strip.
    return rect();
}

void WeightView::resizeEvent(QResizeEvent*) {
    if (mode_ == Mode::kHinton)
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
    update();
}

QString ColourBar::RangeText() const {
    return QStringLiteral("%1 ... 0 ... +%2").arg(General(-limit_), General(limit_));
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
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, General(-limit_));
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("+") + General(limit_));
}

}  // namespace mnemex::inside
