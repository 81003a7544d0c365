#include "pages/framework/FrameLayout.h"

#include <algorithm>
#include <cmath>

namespace mnemex {

int ScrollMax(double twips) {
    // Halves go to the even neighbour, as the 16-bit conversion does.
    const double rounded = std::nearbyint(twips);
    return static_cast<int>(std::clamp(rounded, 0.0, 32767.0));
}

FrameControls ResizeLayout(FrameControls f, const ClientArea& c, int outerWidth, int outerHeight,
                           const FrameDesign& d) {
    const bool narrow = outerWidth < d.designWidth;
    const bool low = outerHeight < d.designHeight;
    const int clientRight = c.scaleLeft + c.scaleWidth;
    const int clientBottom = c.scaleTop + c.scaleHeight;
    if (narrow && low) {
        f.ver.setHeight(std::max(0, c.scaleHeight - f.hor.height()));
        f.hor.setWidth(std::max(0, c.scaleWidth - f.ver.width()));
        f.horMax = ScrollMax(d.designWidth - c.scaleWidth);
        f.hor.moveTop(clientBottom - f.hor.height());
        f.verMax = ScrollMax(d.designHeight - c.scaleHeight);
        f.ver.moveLeft(clientRight - f.ver.width());
        f.horVisible = true;
        f.verVisible = true;
        f.corner.moveTop(clientBottom - f.corner.height());
        f.corner.moveLeft(clientRight - f.corner.width());
        f.cornerVisible = true;
    } else if (narrow) {
        f.hor.setWidth(std::max(0, c.scaleWidth));
        f.horMax = ScrollMax(d.designWidth - c.scaleWidth);
        f.hor.moveTop(clientBottom - f.hor.height());
        f.horVisible = true;
        f.verVisible = false;
        f.cornerVisible = false;
    } else if (low) {
        f.ver.setHeight(std::max(0, c.scaleHeight));
        f.verMax = ScrollMax(d.designHeight - c.scaleHeight);
        f.ver.moveLeft(clientRight - f.ver.width());
        f.verVisible = true;
        f.horVisible = false;
        f.cornerVisible = false;
    } else {
        f.horVisible = false;
        f.verVisible = false;
        f.cornerVisible = false;
    }
    return f;
}

FrameControls FrameStart(FrameControls f, const ClientArea& c, int outerWidth, int outerHeight,
                         const FrameDesign& d) {
    f.horVisible = false;
    f.verVisible = false;
    f.cornerVisible = false;
    if (outerWidth < d.designWidth || outerHeight < d.designHeight) {
        f = ResizeLayout(f, c, outerWidth, outerHeight, d);
    }
    return f;
}

}  // namespace mnemex
