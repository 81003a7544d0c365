#pragma once
// The spreadsheet summary written straight to a file, for runs without a desktop.

#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"

namespace mnemex {

// Builds the summary of `state` exactly as the hub does and writes the workbook to
// `path` by the rules of `options`. Returns an empty text on success, else the message
// the hub would show.
// False in a build without the workbook writer (the browser's, where libxlsxwriter cannot
// be built): the batch command then refuses --xlsx before training.
bool SummaryWorkbookAvailable();
inline constexpr const char* kNoWorkbookReason =
    "this build cannot write spreadsheet workbooks (no libxlsxwriter for it)";

std::string WriteSummaryWorkbookFile(PublicStuff& state, const std::string& path,
                                     const output::WriteOptions& options = {});

}  // namespace mnemex
