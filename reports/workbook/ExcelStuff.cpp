#include "reports/workbook/ExcelStuff.h"

#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "reports/workbook/Worksheet.h"

namespace mnemex {

using sheets::CellValue;
using sheets::HorizontalAlignment;

namespace {

int CheckedLabelCount(int count) {
    if (count < 0)
        throw RunTimeException(kOverflow);
    return CheckedCount(count);
}

}  // namespace

std::string LabelText(const std::string& prefix, int k) {
    // Numbers turned into text keep a leading position for the sign, blank when positive.
    return prefix + (k < 0 ? "" : " ") + std::to_string(k);
}

void MakeColumnLabels(sheets::SpreadsheetApplication& app, const std::string& rangeName,
                      const std::string& prefix, int count) {
    const int n = CheckedLabelCount(count);
    sheets::Worksheet& sheet = app.ActiveSheet();
    sheet.RangeBetween(app.Cells(1, 1), app.Cells(1, n + 1)).SetName(rangeName);
    sheet.RangeNamed(rangeName).Cells(1).SetValue(CellValue::FromText("Pattern"));
    for (int k = 1; k <= n; ++k)
        sheet.RangeNamed(rangeName).Cells(k + 1).SetValue(
            CellValue::FromText(LabelText(prefix, k)));
    sheet.RangeNamed(rangeName).SetBold(true);
    sheet.RangeNamed(rangeName).SetHorizontalAlignment(HorizontalAlignment::kCentre);
}

void MakeRowLabels(sheets::SpreadsheetApplication& app, const std::string& rangeName,
                   const std::string& prefix, int count) {
    const int n = CheckedLabelCount(count);
    sheets::Worksheet& sheet = app.ActiveSheet();
    sheet.RangeBetween(app.Cells(2, 1), app.Cells(n + 1, 1)).SetName(rangeName);
    for (int k = 1; k <= n; ++k)
        sheet.RangeNamed(rangeName).Cells(k).SetValue(CellValue::FromText(LabelText(prefix, k)));
    sheet.RangeNamed(rangeName).SetBold(true);
    sheet.RangeNamed(rangeName).SetHorizontalAlignment(HorizontalAlignment::kCentre);
}

}  // namespace mnemex
