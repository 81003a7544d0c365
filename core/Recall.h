#pragma once
// Recall and error measures on the program-wide state.

#include "core/PublicStuff.h"

namespace mnemex {

// Every weight and change of the network becomes 0.
void ResetWeights(PublicStuff& state);

// Presents pattern p (1..NumPatterns): fills InputUnits(i).Activity and every output
// unit's NetInput, Activity (= NetInput) and Error (desired - activity). Each net input
// is summed over the input units in increasing order, starting from 0.
// Throws RunTimeException(kOverflow) and leaves the unit records as they were when a
// result would be infinite or not a number; kSubscriptOutOfRange for a bad p.
void ComputeOutputs(PublicStuff& state, int p);

// Sum over the output units, in order, of Error squared, as the unit records hold them now.
// Throws RunTimeException(kOverflow) when the sum overflows.
double PatternSSE(const PublicStuff& state);

// A count as a loop counter of the program: throws RunTimeException(kOverflow) above 32767.
int CheckedCount(std::int32_t count);

}  // namespace mnemex
