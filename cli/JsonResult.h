#pragma once
// The batch command's JSON result.

#include <ostream>
#include <string>

#include "core/PublicStuff.h"

namespace mnemex::batch {

// The results as one JSON object: file, rule, rate, epochs, total_sse, weights (per output
// unit, per input unit) and history ([epoch, total SSE] rows). Numbers read back as the
// same doubles.
std::string JsonResult(const PublicStuff& state);

// Writes JsonResult to `path` ("-" means `stdoutStream`), completely or not at all.
// On failure returns false and a description in `problem`.
bool WriteJsonResult(const PublicStuff& state, const std::string& path, std::ostream& stdoutStream,
                     std::string& problem);

}  // namespace mnemex::batch
