#pragma once
// Colours of the weight view: a diverging scale centred on 0 (blue for negative weights,
// white for 0, red for positive ones), and the square sizes of the Hinton diagram.

#include <array>
#include <cstdint>

#include "core/PublicStuff.h"

namespace mnemex::inside {

// Colour steps of the scale on each side of 0.
inline constexpr int kColourSteps = 255;

// 0xAARRGGBB of `v` on the scale -limit..limit: pure blue at -limit, white at 0, pure red
// at +limit, linear between; values beyond the limit take the end colours. A limit of 0
// (all weights 0) gives white.
std::uint32_t DivergingColour(double v, double limit);

// The largest weight magnitude (0 for none), the scale's limit.
double LargestMagnitude(const WeightMatrix& weights);

// The 2 x kColourSteps + 1 colours from -limit to +limit, for drawing many weights fast.
using ColourTable = std::array<std::uint32_t, 2 * kColourSteps + 1>;
const ColourTable& DivergingTable();
// Index into DivergingTable() of `v` for this limit.
int ColourIndex(double v, double limit);

// Side of a Hinton square, as a fraction of its cell: the area is proportional to the
// magnitude, so the side is sqrt(|v| / limit) (0 when the limit is 0).
double HintonSide(double v, double limit);

}  // namespace mnemex::inside
