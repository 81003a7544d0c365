#pragma once
// The text report of a batch run, the same file the report page saves.

#include <ostream>
#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"
#include "reports/text/ReportSections.h"

namespace mnemex::batch {

// Writes the report of the trained `state` to `path` by the rules of `options` (a file is
// replaced whole or not at all), dated now in the user's LC_TIME forms. Prints why not to
// `err` and returns false on failure.
bool WriteBatchReport(PublicStuff& state, const std::string& path,
                      const report::SectionSet& sections, const output::WriteOptions& options,
                      std::ostream& err);

}  // namespace mnemex::batch
