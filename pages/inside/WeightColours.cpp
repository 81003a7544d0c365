#include "pages/inside/WeightColours.h"

#include <algorithm>
#include <cmath>

namespace mnemex::inside {

namespace {

std::uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// Step k from -kColourSteps (pure blue) through 0 (white) to kColourSteps (pure red).
std::uint32_t StepColour(int k) {
    const int fade = 255 - std::abs(k) * 255 / kColourSteps;
    return k < 0 ? Rgb(fade, fade, 255) : Rgb(255, fade, fade);
}

}  // namespace

int ColourIndex(double v, double limit) {
    if (!(limit > 0) || std::isnan(v))
        return kColourSteps;
    const double t = std::clamp(v / limit, -1.0, 1.0);
    return kColourSteps + static_cast<int>(std::lround(t * kColourSteps));
}

const ColourTable& DivergingTable() {
    static const ColourTable table = [] {
        ColourTable t{};
        for (int k = -kColourSteps; k <= kColourSteps; ++k)
            t[static_cast<std::size_t>(k + kColourSteps)] = StepColour(k);
        return t;
    }();
    return table;
}

std::uint32_t DivergingColour(double v, double limit) {
    return DivergingTable()[static_cast<std::size_t>(ColourIndex(v, limit))];
}

double LargestMagnitude(const WeightMatrix& weights) {
    double largest = 0.0;
    for (double w : weights.Storage())
        largest = std::max(largest, std::fabs(w));
    return largest;
}

double HintonSide(double v, double limit) {
    if (!(limit > 0))
        return 0.0;
    return std::sqrt(std::min(1.0, std::fabs(v) / limit));
}

}  // namespace mnemex::inside
