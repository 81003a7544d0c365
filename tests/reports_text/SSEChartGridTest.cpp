// The rows the SSE chart draws: labels and bar heights.

#include <gtest/gtest.h>

#include "ReportNetworks.h"
#include "reports/text/SSEChartGrid.h"

namespace mnemex::report {
namespace {

TEST(SSEChartGrid, InitialRowOnlyGivesOneBarLabelledZero) {
    PublicStuff s;
    s.SSECount = 1;
    s.SSEHistory[1] = {0, 0, 3.25};
    const auto grid = SSEChartGrid(s);
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_EQ(grid[0].Label, "0");
    EXPECT_EQ(grid[0].Value, 3.25);
}

TEST(SSEChartGrid, FullHistoryGivesTwoThousandBarsInRowOrder) {
    PublicStuff s;
    s.SSECount = 2000;
    for (int r = 1; r <= 2000; ++r)
        s.SSEHistory[static_cast<std::size_t>(r)] = {0, (r - 1) * 25.0, 1.0 / r};
    const auto grid = SSEChartGrid(s);
    ASSERT_EQ(grid.size(), 2000u);
    EXPECT_EQ(grid[0].Label, "0");
    EXPECT_EQ(grid[1].Label, "25");
    EXPECT_EQ(grid[39].Label, "975");
    EXPECT_EQ(grid[1999].Label, "49975");
    EXPECT_EQ(grid[0].Value, 1.0);
    EXPECT_EQ(grid[1].Value, 0.5);
    EXPECT_EQ(grid[1999].Value, 1.0 / 2000);
}

TEST(SSEChartGrid, EmptyHistoryGivesNoBars) {
    PublicStuff s;
    EXPECT_TRUE(SSEChartGrid(s).empty());
}

}  // namespace
}  // namespace mnemex::report
