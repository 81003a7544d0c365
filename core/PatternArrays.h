#pragma once
// Pattern stores given as arrays in memory rather than read from a file, checked as the
// training file reader checks a file's values.

#include <optional>
#include <string>
#include <vector>

#include "core/PublicStuff.h"
#include "core/TrainingFile.h"

namespace mnemex {

// A whole pattern store: values pattern by pattern, unit 1 first, as a training file
// lists them. Counts are wide so that any size can be checked before it is used.
struct PatternArrays {
    long long NumInputs = 0;
    long long NumOutputs = 0;
    long long NumPatterns = 0;
    std::vector<double> Inputs;   // NumPatterns x NumInputs
    std::vector<double> Desired;  // NumPatterns x NumOutputs
};

// Checks the counts (0..32767, the vectors' lengths agreeing with them) and every value (a
// finite number) and, when all pass, replaces the counts (SpareCount 0) and both pattern
// arrays. On failure returns the reason, naming the store `name`, and leaves the state
// exactly as it was. Like a file load it never touches the network or the training record.
std::optional<TrainingFileError> StorePatterns(PublicStuff& state, const std::string& name,
                                               PatternArrays arrays);

}  // namespace mnemex
