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

}  // namespace mnemex::inside
