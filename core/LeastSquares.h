#pragma once
// The best memory one fixed set of weights can hold, and the error of fixed weights.
//
// The epoch total adds each pattern's error right after that pattern's own weight change,
// so it is not the error of any one set of weights and can fall below what fixed weights
// achieve. These give the fixed-weight yardstick: the least-squares weights W* = D X+
// (X+ the Moore-Penrose pseudoinverse of the inputs, patterns as columns) and the total
// SSE of any weights with every pattern recalled by them.

#include <string>

#include "core/PublicStuff.h"

namespace mnemex {

// Inputs times patterns times the smaller of the two: the decomposition's work grows
// with it. Above this the solve is skipped, because it would take more than a few
// seconds (measured: see docs/experiments.md).
inline constexpr double kLeastSquaresWorkLimit = 4.0e9;

// Whether the least-squares weights of this many inputs and patterns are computed.
bool LeastSquaresFits(int numInputs, int numPatterns, double workLimit = kLeastSquaresWorkLimit);

struct LeastSquaresResult {
    bool Solved = false;
    std::string Note;       // why the solve was skipped, when it was
    WeightMatrix Weights;   // W*, (output unit, input unit) as the network's weights
    double TotalSSE = 0.0;  // FixedWeightSSE of W*
    int Rank = 0;           // singular values of X that counted as nonzero
};

// The least-squares weights. Singular values of X below max(P, I) x machine epsilon x
// the largest count as 0. Skipped, with a note, when the inputs and patterns do not fit
// `workLimit` (the benchmark lifts it to measure). Reads the state only. Throws
// RunTimeException(kOverflow) when a result is not finite, kSubscriptOutOfRange when the store does
// not match the counts.
LeastSquaresResult SolveLeastSquares(const PublicStuff& state,
                                     double workLimit = kLeastSquaresWorkLimit);

// The total SSE of `weights` (sized as the state's network) over every pattern, each
// recalled with them: pattern SSEs summed over the output units in order, the total over
// the patterns in order. Throws RunTimeException(kOverflow) when it is not finite.
double FixedWeightSSE(const PublicStuff& state, const WeightMatrix& weights);

}  // namespace mnemex
