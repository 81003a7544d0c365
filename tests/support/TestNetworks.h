#pragma once
// The small networks the tests build by hand, so every output is exact in binary.

#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::testsupport {

// Inputs and desired outputs pattern by pattern (unit 1 first); the network is allocated
// from the counts, weights 0 unless `weightRows` gives them as rows of input units, output
// unit 1 first. TrainingFileName is "small.net"; everything else keeps its initial value.
PublicStuff MakeNetwork(int inputs, int outputs, const std::vector<double>& inputValues,
                        const std::vector<double>& desiredValues,
                        const std::vector<double>& weightRows = {});

// Two inputs, two outputs, two patterns, as after the Delta rule at rate 0.1 for 25 epochs.
// Responses: p1 (0.5, 1.5), p2 (0, 0.75); errors: p1 (0.5, -2), p2 (0.25, 1.25).
PublicStuff SmallTrainedNetwork();

// Whether two pattern stores hold the same counts and, bit for bit, the same inputs and
// desired outputs (the part of the state a training-file read replaces).
bool SamePatternStore(const PublicStuff& a, const PublicStuff& b);

}  // namespace mnemex::testsupport
