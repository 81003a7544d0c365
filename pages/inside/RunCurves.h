#pragma once
// The SSE curves of kept runs as one CSV table for other programs.

#include <optional>
#include <string>
#include <vector>

#include "core/FinishedRuns.h"

namespace mnemex::inside {

// Heading "run,file,rule,rate,order,epoch,sse", then one line per history row of every
// run in the given order; numbers in the shortest form that reads back the same; a text
// holding a comma or a quote is quoted; LF line ends. A least-squares SSE, when given,
// ends the table as one line whose run is "least-squares" and whose epoch is empty.
std::string CurvesCsv(const std::vector<const FinishedRun*>& runs,
                      std::optional<double> leastSquaresSSE);

// A legend entry in lines of at most about `width` characters, broken after its commas, so
// a long entry is shown whole on several lines rather than cut; a part longer than the
// width keeps a line of its own.
std::vector<std::string> LegendLines(const std::string& text, std::size_t width);

}  // namespace mnemex::inside
