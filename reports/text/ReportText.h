#pragma once
// The text report: header and the chosen sections, byte for byte as the file holds them.

#include <string>

#include "core/PublicStuff.h"
#include "reports/text/ReportSections.h"

namespace mnemex::report {

// The moment of analysis as the header shows it, already in the user's forms.
struct AnalysisTime {
    std::string Date;  // short date, e.g. "12/08/26"
    std::string Time;  // long time, e.g. "01:02:03"
};

// The whole report for the ticked sections, always in the same section order. Lines end
// in CR CR LF, the SSE history rows in CR LF. Refills the unit records through
// ComputeOutputs for the response and error sections; throws RunTimeException when a
// pattern's outputs overflow, before anything could be written.
std::string BuildReport(PublicStuff& state, const SectionSet& sections, const AnalysisTime& when);

}  // namespace mnemex::report
