#pragma once
// The spreadsheet summary of a training: seven sheets built in the spreadsheet
// application and left open there for the user.

#include <cstdint>
#include <memory>
#include <string>

#include "core/PublicStuff.h"
#include "core/SummaryService.h"
#include "reports/workbook/SpreadsheetApplication.h"

namespace mnemex {

// Program-wide spreadsheet state; one instance for the whole run of the program.
struct SpreadsheetState {
    // The application the last build used; kept after a success, dropped after a failure.
    std::shared_ptr<sheets::SpreadsheetApplication> ExcelApp;
    // 0 until the first build, then 1 for good.
    std::int16_t ExcelStarted = 0;
};

// The number of progress milestones of a build.
inline constexpr int kSummaryMilestones = 21;
// The feedback line while a build runs.
inline constexpr const char* kSummaryWaitingCaption =
    "Please be patient while the spreadsheet is built...";

// Builds the summary workbook of `state` in the application obtained from `host`
// (created on the first build, the running one later), shows it, and reports progress
// and failures through `feedback`. Leaves the state's unit records holding the results
// of the last pattern; changes nothing else of it.
void BuildSpreadsheetSummary(PublicStuff& state, SpreadsheetState& spreadsheet,
                             sheets::SpreadsheetHost& host, SummaryFeedback& feedback);

}  // namespace mnemex
