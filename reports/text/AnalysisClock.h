#pragma once
// The date and time of an analysis in the user's own forms.

#include <ctime>

#include "reports/text/ReportText.h"

namespace mnemex::report {

// Now, as the user's short date (%x) and long time (%X) under the current LC_TIME.
// The program sets LC_TIME from the environment at start; tests pass fixed texts instead.
AnalysisTime AnalysisTimeNow();

// The same for a given moment, in the local time zone.
AnalysisTime AnalysisTimeAt(std::time_t when);

}  // namespace mnemex::report
