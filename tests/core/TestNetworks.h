#pragma once
// Helpers that set up small networks by hand for the core tests.

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::testing {

// A state with the given sizes, pattern store filled from the two lists (pattern by
// pattern, unit 1 first), network allocated and zero, NewRun 1.
PublicStuff MakeState(int inputs, int outputs, const std::vector<double>& inputValues,
                      const std::vector<double>& desiredValues);

// Writes `text` to a fresh file in the test's temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);

}  // namespace mnemex::testing
