#include "pages/inside/PatternPicture.h"

#include <QMouseEvent>
#include <QPainter>

#include "pages/inside/WeightColours.h"

namespace mnemex::inside {

namespace {
// Two lines: a long scale ("-2.19e+04 black to 2.23e+04 white") wraps rather than being cut.
constexpr int kTextHeight = 30;
}  // namespace

PatternPicture::PatternPicture(QWidget* parent) : QWidget(parent) {}

void PatternPicture::ShowValues(std::vector<double> values, int width, PictureScale scale) {
    values_ = std::move(values);
    width_ = WidthFits(static_cast<int>(values_.size()), width)
                 ? width
                 : ProposedWidth(int(values_.size()));
    scale_ = scale;
    const ValueRange shown = RangeOf(values_);
    // The exact figures belong to the hover, not to the sketch.
    setToolTip(values_.empty() ? QString()
                               : QStringLiteral("Values shown: %1 to %2")
                                     .arg(QString::number(shown.Low, 'g', 17),
                                          QString::number(shown.High, 'g', 17)));
    update();
}

void PatternPicture::Clear() {
    values_.clear();
    width_ = 0;
    scale_ = {};
    setToolTip(QString());
    update();
}

QString PatternPicture::ScaleText() const {
    if (values_.empty())
        return QStringLiteral("no units");
    return QString::fromStdString(inside::ScaleText(scale_));
}

QColor PatternPicture::UnitColour(int unit) const {
    if (unit < 1 || unit > static_cast<int>(values_.size()))
        return {};
    const double v = values_[static_cast<std::size_t>(unit - 1)];
    if (scale_.Diverging)
        return QColor::fromRgba(DivergingColour(v, scale_.High));
    const int grey = GreyLevel(v, {scale_.Low, scale_.High});
    return {grey, grey, grey};
}

QSizeF PatternPicture::CellSize() const {
    const int rows = GridRows(static_cast<int>(values_.size()), width_);
    if (rows == 0)
        return {};
    const double across = double(width()) / width_;
    const double down = double(height() - kTextHeight) / rows;
    const double square = std::min(across, down);
    // Square cells, unless they would be too flat to see and the rows leave room for
    // taller ones: a strip of many units then gets cells kMinimumCellHeight tall.
    if (square >= kMinimumCellHeight || down < kMinimumCellHeight)
        return {square, square};
    return {across, kMinimumCellHeight};
}

QRectF PatternPicture::GridRect() const {
    const QSizeF cell = CellSize();
    if (cell.isEmpty())
        return {};
    return {0, 0, cell.width() * width_,
            cell.height() * GridRows(static_cast<int>(values_.size()), width_)};
}

int PatternPicture::UnitAt(QPoint point) const {
    const QRectF grid = GridRect();
    if (grid.isEmpty() || !grid.contains(point))
        return 0;
    const int column = static_cast<int>(point.x() * width_ / grid.width());
    const int row =
        static_cast<int>(point.y() * GridRows(int(values_.size()), width_) / grid.height());
    const int unit = row * width_ + column + 1;
    return unit <= static_cast<int>(values_.size()) ? unit : 0;
}

void PatternPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF grid = GridRect();
    if (!grid.isEmpty()) {
        const QSizeF cell = CellSize();
        for (std::size_t k = 0; k < values_.size(); ++k) {
            const double x = double(k % static_cast<std::size_t>(width_)) * cell.width();
            const double y = double(k / static_cast<std::size_t>(width_)) * cell.height();
            painter.fillRect(QRectF(x, y, cell.width(), cell.height()),
                             UnitColour(static_cast<int>(k) + 1));
        }
        painter.setPen(Qt::darkGray);
        painter.drawRect(grid.adjusted(0, 0, -1, -1));
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, height() - kTextHeight, width(), kTextHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, ScaleText());
}

void PatternPicture::mousePressEvent(QMouseEvent* event) {
    const int unit = UnitAt(event->position().toPoint());
    if (unit > 0)
        emit UnitClicked(unit);
}

}  // namespace mnemex::inside
