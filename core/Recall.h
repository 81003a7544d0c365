#pragma once
// Recall and error measures on the program-wide state.

#include <vector>

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

// The response of `weights` to an input vector (weights.NumInputs() values, unit 1 first)
// into `net` (resized to NumOutputs): each net input summed over the input units in
// increasing order from 0 as net = w * x + net, exactly as ComputeOutputs sums. Changes
// nothing else and checks nothing; callers judge the values.
void RecallInputs(const WeightMatrix& weights, const double* inputs, std::vector<double>& net);

// The output activities the network gives for any input vector of NumInputs values,
// summed exactly as ComputeOutputs sums them, so a training pattern's vector gives that
// pattern's responses bit for bit. Changes nothing. Throws RunTimeException(kOverflow) when
// a response would be infinite or not a number, kSubscriptOutOfRange for a wrong length.
std::vector<double> RecallVector(const PublicStuff& state, const std::vector<double>& inputs);

// Sum over the output units, in order, of Error squared, as the unit records hold them now.
// Throws RunTimeException(kOverflow) when the sum overflows.
double PatternSSE(const PublicStuff& state);

// Throws RunTimeException(kSubscriptOutOfRange) unless the pattern store and the weights
// have the sizes the counts give (kOverflow for a count beyond the loop counters).
void CheckNetworkSizes(const PublicStuff& state);

// A count as a loop counter of the program: throws RunTimeException(kOverflow) above 32767.
int CheckedCount(std::int32_t count);

}  // namespace mnemex
