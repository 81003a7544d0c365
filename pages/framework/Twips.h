#pragma once
// Page layouts are given in twips (1/1440 inch). At 96 dots per inch 15 twips make one
// device-independent pixel. A widget placed by twips keeps its twip rectangle, so moving
// it by a few twips at a time never accumulates pixel rounding.

#include <QRect>

class QWidget;

namespace mnemex {

inline constexpr int kTwipsPerPixel = 15;

// A control's rectangle as the layouts give it: Left, Top, Width, Height in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Twips -> device-independent pixels, rounded to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips);
// Device-independent pixels -> twips.
inline constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Places `widget` at Left, Top, Width, Height given in twips (relative to its parent) and
// remembers that twip rectangle. Negative sizes are treated as 0.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);
void PlaceTwips(QWidget* widget, const QRect& twips);
void PlaceTwips(QWidget* widget, TwipRect twips);

// The widget's twip rectangle: the one last given to PlaceTwips, or its pixel geometry in twips.
QRect TwipGeometry(const QWidget* widget);

// Moves a widget placed by twips by (dx, dy) twips, keeping its size.
void MoveTwips(QWidget* widget, int dx, int dy);

}  // namespace mnemex
