#pragma once
// Control positions and fonts of the result pages, given in twips and points.

#include <QFont>
#include <QRect>
#include <QString>

namespace mnemex::pages {

// Twips (1/1440 inch) to pixels at the usual 96 dots per inch.
constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

// A control's rectangle from its left, top, width and height in twips.
inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

enum FontStyle : unsigned { kPlain = 0, kBold = 1, kItalic = 2, kUnderline = 4 };

// A control font by family, size in points and style.
inline QFont PageFont(const QString& family, double points, unsigned style = kPlain) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(style & kBold);
    font.setItalic(style & kItalic);
    font.setUnderline(style & kUnderline);
    if (family.startsWith(QLatin1String("Courier")))
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace mnemex::pages
