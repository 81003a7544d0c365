#pragma once
// How well the current weights recall every stored pattern, measured four ways.

#include <vector>

#include "core/PublicStuff.h"

namespace mnemex {

// The measures of one pattern, recalled with the weights as they stand: a is the
// network's output, t the desired output, n the number of output units.
struct PatternMeasures {
    int Pattern = 0;    // from 1
    double SSE = 0.0;   // sum of (t - a)^2, the pattern SSE of recall
    double Ndp = 0.0;   // normalised dot product (a . t) / n
    double Nvl = 0.0;   // normalised vector length sqrt((a . a) / n)
    double Vcor = 0.0;  // cosine (a . t) / (|a| |t|); 0 when a . a or t . t is 0
};

// The measures of every pattern, in pattern order. Every sum starts from 0 and runs over
// the output units in order; with no output units every measure is 0. Reads the state
// only. Throws RunTimeException(kOverflow) when a measure is not finite, and
// kSubscriptOutOfRange when the weights do not match the counts.
std::vector<PatternMeasures> MeasureAllPatterns(const PublicStuff& state);

// The measures of one output vector against its target (n values each).
PatternMeasures MeasureRecall(const double* a, const double* t, int n);

}  // namespace mnemex
