#pragma once
// The SSE chart's data grid: one row per recorded history row.

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::report {

struct ChartRow {
    std::string Label;   // the epoch number as decimal text: "0", "25"
    double Value = 0.0;  // the total SSE at that epoch
};

// Rows 1 to SSECount of the history, in row order (SSECount kept within 0..2000).
std::vector<ChartRow> SSEChartGrid(const PublicStuff& state);

}  // namespace mnemex::report
