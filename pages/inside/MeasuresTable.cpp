#include "pages/inside/MeasuresTable.h"

#include <algorithm>
#include <charconv>

#include "core/NumberForms.h"

namespace mnemex::inside {

namespace {
constexpr MeasureColumn kColumns[] = {MeasureColumn::kPattern, MeasureColumn::kSSE,
                                      MeasureColumn::kNdp, MeasureColumn::kNvl,
                                      MeasureColumn::kVcor};

std::string Shortest(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}
}  // namespace

std::string Shown(double v, int digits) {
    return FormatSignificant(v, digits);
}

double ColumnValue(const PatternMeasures& row, MeasureColumn column) {
    switch (column) {
        case MeasureColumn::kPattern:
            return row.Pattern;
        case MeasureColumn::kSSE:
            return row.SSE;
        case MeasureColumn::kNdp:
            return row.Ndp;
        case MeasureColumn::kNvl:
            return row.Nvl;
        case MeasureColumn::kVcor:
            return row.Vcor;
    }
    return 0.0;
}

std::vector<PatternMeasures> SortedMeasures(std::vector<PatternMeasures> rows, MeasureColumn column,
                                            bool ascending) {
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const PatternMeasures& a, const PatternMeasures& b) {
                         const double x = ColumnValue(a, column);
                         const double y = ColumnValue(b, column);
                         return ascending ? x < y : y < x;
                     });
    return rows;
}

std::string CellText(const PatternMeasures& row, MeasureColumn column) {
    if (column == MeasureColumn::kPattern)
        return std::to_string(row.Pattern);
    return Shortest(ColumnValue(row, column));
}

std::string MeasuresTsv(const std::vector<PatternMeasures>& rows) {
    std::string text;
    for (const char* heading : kMeasureHeadings)
        text += std::string(heading) + '\t';
    text += "\r\n";
    for (const PatternMeasures& row : rows) {
        for (MeasureColumn c : kColumns)
            text += CellText(row, c) + '\t';
        text += "\r\n";
    }
    return text;
}

}  // namespace mnemex::inside
