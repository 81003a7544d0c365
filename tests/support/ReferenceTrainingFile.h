#pragma once
// The training-file reader as it was before it scanned its buffer in place: one string per
// value, converted by strtod_l. Kept only as the yardstick the tests and the benchmark hold
// the program's reader to: same values bit for bit, same refusals with the same messages.

#include <cstdio>
#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/TrainingFile.h"

namespace mnemex::testsupport {

std::optional<TrainingFileError> ReferenceReadTrainingFile(PublicStuff& state,
                                                           const std::string& path);

std::optional<TrainingFileError> ReferenceReadTrainingStream(PublicStuff& state, std::FILE* file,
                                                             const std::string& name,
                                                             long long size);

}  // namespace mnemex::testsupport
