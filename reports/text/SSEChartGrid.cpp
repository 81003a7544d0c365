#include "reports/text/SSEChartGrid.h"

#include <algorithm>

#include "core/NumberForms.h"

namespace mnemex::report {

std::vector<ChartRow> SSEChartGrid(const PublicStuff& state) {
    const int rows = std::clamp<int>(state.SSECount, 0, kHistoryRows);
    std::vector<ChartRow> grid;
    grid.reserve(static_cast<std::size_t>(rows));
    for (int r = 1; r <= rows; ++r) {
        const auto& row = state.SSEHistory[static_cast<std::size_t>(r)];
        grid.push_back(ChartRow{FormatGeneral(row[1]), row[2]});
    }
    return grid;
}

}  // namespace mnemex::report
