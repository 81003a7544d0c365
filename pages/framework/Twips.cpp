#include "pages/framework/Twips.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mnemex {

namespace {
constexpr const char* kTwipProperty = "mnemexTwipRect";
}

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    PlaceTwips(widget, QRect(left, top, std::max(0, width), std::max(0, height)));
}

void PlaceTwips(QWidget* widget, const QRect& twips) {
    QRect r(twips.left(), twips.top(), std::max(0, twips.width()), std::max(0, twips.height()));
    widget->setProperty(kTwipProperty, r);
    widget->setGeometry(TwipsToPixels(r.left()), TwipsToPixels(r.top()), TwipsToPixels(r.width()),
                        TwipsToPixels(r.height()));
}

void PlaceTwips(QWidget* widget, TwipRect twips) {
    PlaceTwips(widget, twips.left, twips.top, twips.width, twips.height);
}

QRect TwipGeometry(const QWidget* widget) {
    const QVariant stored = widget->property(kTwipProperty);
    if (stored.isValid()) {
        return stored.toRect();
    }
    const QRect g = widget->geometry();
    return QRect(PixelsToTwips(g.x()), PixelsToTwips(g.y()), PixelsToTwips(g.width()),
                 PixelsToTwips(g.height()));
}

void MoveTwips(QWidget* widget, int dx, int dy) {
    PlaceTwips(widget, TwipGeometry(widget).translated(dx, dy));
}

}  // namespace mnemex
