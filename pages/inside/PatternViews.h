#pragma once
// What the page shows for one stored pattern, and the best fixed-weight memory beside the
// weights as they are.

#include <optional>
#include <string>
#include <vector>

#include "core/PublicStuff.h"
#include "pages/inside/PatternGrid.h"

namespace mnemex::inside {

struct PatternViews {
    std::vector<double> Input;     // NumInputs values
    std::vector<double> Desired;   // NumOutputs values
    std::vector<double> Recalled;  // the network's output, as recall computes it
    std::vector<double> Error;     // desired - recalled
};

// Pattern p (1..NumPatterns) with the current weights. Reads the state only; throws
// RunTimeException(kOverflow) when a value is not finite.
PatternViews PatternViewsOf(const PublicStuff& state, int p);

// The inputs' and the desired outputs' ranges over every pattern of the file.
struct PatternRanges {
    ValueRange Inputs;
    ValueRange Desired;
};
PatternRanges RangesOf(const PublicStuff& state);

// The scales of the four pictures of a pattern: the input on the inputs' range; desired and
// recalled outputs on one scale, the desired outputs' range widened to take in the
// recalled values shown; the error on ErrorScale.
struct PictureScales {
    PictureScale Input;
    PictureScale Output;
    PictureScale Error;
};
PictureScales ScalesFor(const PatternRanges& ranges, const PatternViews& shown);

struct FixedWeightFigures {
    std::optional<double> LeastSquaresSSE;  // none when the solve was skipped
    std::string Note;                       // why it was skipped
    double CurrentSSE = 0.0;                // the current weights, held fixed
};

// Both fixed-weight errors. Throws RunTimeException(kOverflow) for a non-finite figure.
FixedWeightFigures FixedWeightFiguresOf(const PublicStuff& state);

// The sentence on why the last epoch's running total can lie below the least-squares SSE.
inline constexpr const char* kRunningTotalNote =
    "The epoch total can be lower: it adds each pattern's error right after that pattern's "
    "own weight change, so it is not the error of one fixed set of weights.";

}  // namespace mnemex::inside
