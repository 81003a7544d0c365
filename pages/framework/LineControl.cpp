#include "pages/framework/LineControl.h"

#include <QPainter>
#include <algorithm>

#include "pages/framework/Twips.h"

namespace mnemex {

LineControl::LineControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::SetEnds(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    // The widget covers the line's bounding box, at least one pixel each way.
    const int left = TwipsToPixels(std::min(x1, x2));
    const int top = TwipsToPixels(std::min(y1, y2));
    const int right = TwipsToPixels(std::max(x1, x2));
    const int bottom = TwipsToPixels(std::max(y1, y2));
    setGeometry(left, top, std::max(1, right - left + 1), std::max(1, bottom - top + 1));
    update();
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const QPoint origin = pos();
    painter.drawLine(QPoint(TwipsToPixels(x1_), TwipsToPixels(y1_)) - origin,
                     QPoint(TwipsToPixels(x2_), TwipsToPixels(y2_)) - origin);
}

}  // namespace mnemex
