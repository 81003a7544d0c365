#pragma once
// The test-all table: every pattern's four recall measures, sortable by any column and
// copied as tab-separated text.

#include <string>
#include <vector>

#include "core/TestAllMeasures.h"

namespace mnemex::inside {

enum class MeasureColumn { kPattern, kSSE, kNdp, kNvl, kVcor };

inline constexpr const char* kMeasureHeadings[] = {"Pattern", "SSE", "ndp", "nvl", "vcor"};
// What each heading means, shown on hovering it (a is the recalled output, t the desired
// output, n the number of output units).
inline constexpr const char* kMeasureExplanations[] = {
    "The pattern's number in the training file",
    "Sum of squared errors: (t - a) . (t - a), the squared differences between the desired "
    "and the recalled output added up",
    "Normalised dot product (a . t) / n: how far the recalled output points the way of the "
    "desired one, per output unit",
    "Normalised vector length sqrt((a . a) / n): how large the recalled output is, per "
    "output unit",
    "Vector correlation, the cosine (a . t) / (|a| |t|): 1 when the recalled output points "
    "exactly the way of the desired one, whatever its length; 0 when either is all 0"};

// A figure as the page shows it: `digits` significant digits (the exact figure is on hover,
// in copies and in exports), e.g. 0.546658781216999 as "0.546659".
std::string Shown(double v, int digits = 6);

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
