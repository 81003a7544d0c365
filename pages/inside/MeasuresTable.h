#pragma once
// The test-all table: every pattern's four recall measures, sortable by any column and
// copied as tab-separated text.

#include <string>
#include <vector>

#include "core/TestAllMeasures.h"

namespace mnemex::inside {

enum class MeasureColumn { kPattern, kSSE, kNdp, kNvl, kVcor };

inline constexpr const char* kMeasureHeadings[] = {"Pattern", "SSE", "ndp", "nvl", "vcor"};

// The figure of one column of a row (the pattern number as a number).
double ColumnValue(const PatternMeasures& row, MeasureColumn column);

// The rows ordered by a column; ties keep pattern order.
std::vector<PatternMeasures> SortedMeasures(std::vector<PatternMeasures> rows, MeasureColumn column,
                                            bool ascending);

// One cell as the table shows it: the pattern as a whole number, measures in the
// shortest decimal form that reads back as the same number.
std::string CellText(const PatternMeasures& row, MeasureColumn column);

// The heading line and one line per row, columns separated by TAB, lines ending in CR LF.
std::string MeasuresTsv(const std::vector<PatternMeasures>& rows);

}  // namespace mnemex::inside
