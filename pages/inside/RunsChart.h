#pragma once
// The chart of the compare view: total SSE against epochs, a line per kept run, and the
// least-squares SSE as a dashed line across.

#include <optional>
#include <vector>

#include "core/FinishedRuns.h"

class QChart;

namespace mnemex::inside {

inline constexpr const char* kLeastSquaresCaption = "Least-squares SSE (fixed weights)";

struct RunsChartOptions {
    bool LogScale = false;
    std::optional<double> LeastSquaresSSE;
    // About how tall the plot area will be, for spacing the log axis's grid lines.
    double PlotPixels = 250.0;
};

// A new chart: one line series per run, named by its legend (the file named once in the
// title instead when every run trained on the same one); on the log scale points whose
// SSE is not above 0 are left out (a logarithm has no place for them), the axis is planned
// by PlanLogAxis and a second title line names what runs below its floor.
QChart* BuildRunsChart(const std::vector<const FinishedRun*>& runs,
                       const RunsChartOptions& options);

}  // namespace mnemex::inside
