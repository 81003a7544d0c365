#include "pages/inside/PatternPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace mnemex::inside {

namespace {
constexpr int kTextHeight = 16;
}

PatternPicture::PatternPicture(QWidget* parent) : QWidget(parent) {}

void PatternPicture::ShowValues(std::vector<double> values, int width) {
    values_ = std::move(values);
    width_ = WidthFits(static_cast<int>(values_.size()), width)
                 ? width
                 : ProposedWidth(int(values_.size()));
    range_ = RangeOf(values_);
    update();
}

QString PatternPicture::RangeText() const {
    if (values_.empty())
        return QStringLiteral("no units");
    // Four significant digits: the picture is a sketch, the exact figures are elsewhere.
    return QString::number(range_.Low, 'g', 4) + QStringLiteral(" to ") +
           QString::number(range_.High, 'g', 4);
}

QRectF PatternPicture::GridRect() const {
    const int count = static_cast<int>(values_.size());
    const int rows = GridRows(count, width_);
    if (rows == 0)
        return {};
    const double cell = std::min(double(width()) / width_, double(height() - kTextHeight) / rows);
    return {0, 0, cell * width_, cell * rows};
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
        const double cell = grid.width() / width_;
        for (std::size_t k = 0; k < values_.size(); ++k) {
            const int grey = GreyLevel(values_[k], range_);
            const double x = double(k % static_cast<std::size_t>(width_)) * cell;
            const double y = double(k / static_cast<std::size_t>(width_)) * cell;
            painter.fillRect(QRectF(x, y, cell, cell), QColor(grey, grey, grey));
        }
        painter.setPen(Qt::darkGray);
        painter.drawRect(grid.adjusted(0, 0, -1, -1));
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, height() - kTextHeight, width(), kTextHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, RangeText());
}

void PatternPicture::mousePressEvent(QMouseEvent* event) {
    const int unit = UnitAt(event->position().toPoint());
    if (unit > 0)
        emit UnitClicked(unit);
}

}  // namespace mnemex::inside
