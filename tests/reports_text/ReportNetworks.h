#pragma once
// Small networks with hand-set weights, so every output is exact in binary.

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::reporttest {

// Inputs and desired outputs pattern by pattern (unit 1 first); weights given as rows of
// input units, output unit 1 first. The network is allocated from the counts.
PublicStuff MakeNetwork(int inputs, int outputs, const std::vector<double>& inputValues,
                        const std::vector<double>& desiredValues,
                        const std::vector<double>& weightRows);

// Two inputs, two outputs, two patterns, trained by the Delta rule at rate 0.1 for 25
// epochs. Responses: p1 (0.5, 1.5), p2 (0, 0.75); errors: p1 (0.5, -2), p2 (0.25, 1.25).
PublicStuff SmallTrainedNetwork();

// A fresh, empty folder for the running test.
std::string TestFolder();

// The bytes of a file, or "<missing>".
std::string ReadBytes(const std::string& path);

}  // namespace mnemex::reporttest
