#include "reports/workbook/Range.h"

#include <algorithm>
#include <cmath>

#include "reports/workbook/SheetError.h"
#include "reports/workbook/Workbook.h"
#include "reports/workbook/Worksheet.h"

namespace mnemex::sheets {

namespace {

void CheckCell(long long row, long long column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        ThrowSheetError("The cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column) + " lies outside the worksheet.");
}

}  // namespace

Range::Range(Worksheet& sheet, int row1, int column1, int row2, int column2)
    : sheet_(&sheet),
      top_(std::min(row1, row2)),
      left_(std::min(column1, column2)),
      bottom_(std::max(row1, row2)),
      right_(std::max(column1, column2)) {
    CheckCell(top_, left_);
    CheckCell(bottom_, right_);
}

Range Range::Cells(long long k) const {
    if (k < 1)
        ThrowSheetError("Cell " + std::to_string(k) + " of a range does not exist.");
    const long long width = ColumnCount();
    const long long row = top_ + (k - 1) / width;
    const long long column = left_ + (k - 1) % width;
    CheckCell(row, column);
    return Range(*sheet_, static_cast<int>(row), static_cast<int>(column), static_cast<int>(row),
                 static_cast<int>(column));
}

Range Range::Cells(long long row, long long column) const {
    const long long r = top_ + row - 1;
    const long long c = left_ + column - 1;
    CheckCell(r, c);
    return Range(*sheet_, static_cast<int>(r), static_cast<int>(c), static_cast<int>(r),
                 static_cast<int>(c));
}

void Range::SetValue(const CellValue& value) const {
    if (value.Kind != ValueKind::kText && !std::isfinite(value.Number))
        ThrowSheetError("A number that is infinite or not a number cannot be stored.");
    for (int r = top_; r <= bottom_; ++r)
        for (int c = left_; c <= right_; ++c)
            sheet_->SetValue(r, c, value);
}

void Range::SetBold(bool bold) const {
    sheet_->Restyle(top_, left_, bottom_, right_, [bold](CellStyle& s) { s.Bold = bold; });
}

void Range::SetHorizontalAlignment(HorizontalAlignment alignment) const {
    sheet_->Restyle(top_, left_, bottom_, right_,
                    [alignment](CellStyle& s) { s.Alignment = alignment; });
}

void Range::SetNumberFormat(const std::string& format) const {
    // "General" is the absence of a format of the cell's own.
    const std::string stored = format == "General" ? std::string() : format;
    sheet_->Restyle(top_, left_, bottom_, right_,
                    [&stored](CellStyle& s) { s.NumberFormat = stored; });
}

void Range::SetColumnWidth(double width) const {
    if (!(width >= 0.0 && width <= 255.0))
        ThrowSheetError("A column width must lie between 0 and 255 characters.");
    for (int c = left_; c <= right_; ++c)
        sheet_->SetColumnWidth(c, width);
}

void Range::SetName(const std::string& name) const {
    sheet_->Owner().DefineName(name, *this);
}

CellValue Range::Value() const {
    return sheet_->Value(top_, left_);
}

const CellStyle& Range::Style() const {
    return sheet_->Style(top_, left_);
}

bool Range::operator==(const Range& other) const {
    return sheet_ == other.sheet_ && top_ == other.top_ && left_ == other.left_ &&
           bottom_ == other.bottom_ && right_ == other.right_;
}

std::string CellAddress(int row, int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

}  // namespace mnemex::sheets
