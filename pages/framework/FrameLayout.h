#pragma once
// The arithmetic of the scrolling page frame, in twips, free of any widget so that it can
// be checked without a screen. A page that is smaller than its design size shows a
// horizontal bar along the bottom, a vertical bar along the right, or both with a corner
// box between them; each bar's maximum is how far the page can scroll that way.

#include <QRect>

namespace mnemex {

// Thickness of both page scrollbars.
inline constexpr int kFrameBarThickness = 330;
// The window's borders and caption around the client area, as the design sizes count them.
inline constexpr int kFrameBorderWidth = 120;
inline constexpr int kFrameBorderHeight = 405;

// A page's frame constants: outer design size, corner box size and the bottom bar's left edge.
struct FrameDesign {
    int designWidth = 0;
    int designHeight = 0;
    int cornerWidth = 375;
    int cornerHeight = 375;
    int horLeft = 0;
};

// A design for a client area of `clientWidth` x `clientHeight` with the usual borders and corner.
inline constexpr FrameDesign FrameDesignAround(int clientWidth, int clientHeight) {
    return {clientWidth + kFrameBorderWidth, clientHeight + kFrameBorderHeight, 375, 375, 0};
}

// The client area in twips.
struct ClientArea {
    int scaleLeft = 0;
    int scaleTop = 0;
    int scaleWidth = 0;
    int scaleHeight = 0;
};

// The outer window size: the client area plus the design borders. Counted this way, not
// asked of the window manager, so that the same client size gives the same layout on
// every desktop.
inline constexpr int OuterWidth(const ClientArea& c) {
    return c.scaleWidth + kFrameBorderWidth;
}
inline constexpr int OuterHeight(const ClientArea& c) {
    return c.scaleHeight + kFrameBorderHeight;
}

// The three frame controls as the layout sees and sets them.
struct FrameControls {
    QRect hor;  // HorFormScroll: Left, Top, Width, Height in twips
    QRect ver;  // VerFormScroll
    QRect corner;
    int horMax = 32767;
    int verMax = 32767;
    bool horVisible = false;
    bool verVisible = false;
    bool cornerVisible = false;
};

// A scrollbar maximum: rounded into the 16-bit range, never below 0.
int ScrollMax(double twips);

// The resize layout: shows, sizes and places the bars and the corner for a page of outer
// size outerWidth x outerHeight with the given client area. Sizes never go below 0.
FrameControls ResizeLayout(FrameControls frame, const ClientArea& client, int outerWidth,
                           int outerHeight, const FrameDesign& design);

// The frame start of a page: hides the bars and the corner, then lays them out if the page
// is smaller than its design size in either direction.
FrameControls FrameStart(FrameControls frame, const ClientArea& client, int outerWidth,
                         int outerHeight, const FrameDesign& design);

}  // namespace mnemex
