#pragma once
// Probing a stored pattern with a damaged copy of its inputs: Gaussian noise added to
// every input unit and/or a fraction of the units set to 0, drawn reproducibly from a seed.

#include <cstdint>
#include <string>
#include <vector>

#include "core/PublicStuff.h"
#include "core/TestAllMeasures.h"

namespace mnemex {

struct Distortion {
    double NoiseDeviation = 0.0;  // standard deviation of the added noise, 0 or more
    double ZeroFraction = 0.0;    // fraction f of input units set to 0, 0 to 1
    std::uint64_t Seed = 1;
};

struct DistortedInputs {
    std::vector<double> Inputs;  // NumInputs values, unit 1 first
    std::vector<int> Zeroed;     // the units set to 0 (from 1), in the order drawn
    std::string Problem;         // set (and nothing else) when the request cannot be used
};

// The inputs of pattern p, distorted. One std::mt19937_64 seeded with the seed gives,
// in this order:
// 1. Gaussian values by the Box-Muller transform: each pair of draws x1, x2 becomes the
//    uniforms u = ((x >> 11) + 1) / 2^53 in (0, 1], then r = sqrt(-2 ln u1),
//    g1 = r cos(2 pi u2), g2 = r sin(2 pi u2); units 1, 2 take g1, g2 of the first pair,
//    units 3, 4 those of the second, and so on (an odd last unit leaves its g2 unused).
//    Unit i becomes input + deviation x g_i; with deviation 0 the inputs stay exactly.
//    The values are drawn whatever the deviation, so a seed zeroes the same units at
//    every noise level.
// 2. The shuffle of 1..n of the permuted pattern order (ShuffleInto); its first
//    round(f x n) positions (halves away from zero) are the units set to 0.
// Throws RunTimeException(kOverflow) when a distorted value is not finite.
DistortedInputs DistortPattern(const PublicStuff& state, int p, const Distortion& distortion);

// Uniform in (0, 1] from one 64-bit draw: ((x >> 11) + 1) / 2^53.
double UniformFromDraw(std::uint64_t x);

// The current weights' response to `inputs` measured against pattern p's desired output,
// as MeasureAllPatterns measures a stored pattern. Same failures.
PatternMeasures MeasureProbe(const PublicStuff& state, int p, const std::vector<double>& inputs);

}  // namespace mnemex
