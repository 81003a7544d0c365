#pragma once
// The SSE bar chart: one grey bar per history row, labelled with its epoch number.

#include <QString>
#include <vector>

#include "reports/text/SSEChartGrid.h"

class QChart;

namespace mnemex::pages {

// The chart's title and axis titles.
inline constexpr const char* kSSEChartTitle =
    "Total Sum Of Squared Error As A Function Of Training Sweeps";
inline constexpr const char* kSSEXAxisTitle = "Sweeps Of Training";
inline constexpr const char* kSSEYAxisTitle = "Network SSE";

// `title` as two lines of about equal length (an HTML line break at the blank nearest the
// middle): the chart's title in its 14-point font is wider than the chart, and a title on
// one line would be cut short.
QString TitleOnTwoLines(const QString& title);

// The rows whose epoch labels are shown under the bars: every k-th row from the first,
// with k the smallest of 1, 2, 5, 10, 20, 50, ... that keeps them at most `maxLabels`.
std::vector<int> LabelledRows(int rowCount, int maxLabels);

// The whole chart for the data grid, built once: white background, light grey bars with a
// black outline (up to 30 rows; more rows give darker bars without outline or gap, so the
// curve keeps its shape), bold Arial 14 title at the top, axis titles, no legend.
QChart* BuildSSEChart(const std::vector<report::ChartRow>& grid);

}  // namespace mnemex::pages
