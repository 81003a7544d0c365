#pragma once
// The batch command's JSON result.

#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"

namespace mnemex::batch {

// The results as one JSON object: file, rule, rate, epochs, total_sse, weights (per output
// unit, per input unit) and history ([epoch, total SSE] rows), then `moreMembers` (each
// member written as ",\n  \"name\": value"). Numbers read back as the same doubles.
std::string JsonResult(const PublicStuff& state, const std::string& moreMembers = {});

// Writes JsonResult to `path` (see output::WriteWhole: "-" is the standard output),
// completely or not at all; `moreMembers` follow "history". Returns the failure, if any.
std::optional<output::WriteFailure> WriteJsonResult(const PublicStuff& state,
                                                    const std::string& path,
                                                    const output::WriteOptions& options,
                                                    const std::string& moreMembers = {});

// The pieces of the JSON text, for members added beside the result's own.
// Shortest text that reads back as the same double.
void AppendNumber(std::string& out, double value);
// A JSON string with the needed escapes.
void AppendString(std::string& out, const std::string& text);
// The weights as the "weights" member shows them: one row per output unit, each row on
// its own line indented by `indent` plus two blanks, the closing bracket after `indent`.
void AppendWeightRows(std::string& out, const WeightMatrix& weights, const std::string& indent);

}  // namespace mnemex::batch
