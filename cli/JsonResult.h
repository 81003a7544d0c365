#pragma once
// The batch command's JSON result.

#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"

namespace mnemex::batch {

// The results as one JSON object: file, rule, rate, epochs, total_sse, weights (per output
// unit, per input unit) and history ([epoch, total SSE] rows). Numbers read back as the
// same doubles.
std::string JsonResult(const PublicStuff& state);

// Writes JsonResult to `path` (see output::WriteWhole: "-" is the standard output),
// completely or not at all. Returns the failure, if any.
std::optional<output::WriteFailure> WriteJsonResult(const PublicStuff& state,
                                                    const std::string& path,
                                                    const output::WriteOptions& options);

}  // namespace mnemex::batch
