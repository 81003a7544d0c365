#pragma once
// The spreadsheet summary written straight to a file, for runs without a desktop.

#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"

namespace mnemex {

// Builds the summary of `state` exactly as the hub does and writes the workbook to
// `path` by the rules of `options`. Returns an empty text on success, else the message
// the hub would show.
std::string WriteSummaryWorkbookFile(PublicStuff& state, const std::string& path,
                                     const output::WriteOptions& options = {});

}  // namespace mnemex
