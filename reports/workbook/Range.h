#pragma once
// A rectangle of cells on one worksheet, addressed from 1 like the application's ranges.

#include <string>

#include "reports/workbook/CellValue.h"

namespace mnemex::sheets {

class Worksheet;

class Range {
  public:
    // The rectangle from (top, left) to (bottom, right) inclusive; corners in any order.
    // Throws a sheet error when a corner lies outside the worksheet.
    Range(Worksheet& sheet, int row1, int column1, int row2, int column2);

    Worksheet& Sheet() const { return *sheet_; }
    int Top() const { return top_; }
    int Left() const { return left_; }
    int Bottom() const { return bottom_; }
    int Right() const { return right_; }
    int RowCount() const { return bottom_ - top_ + 1; }
    int ColumnCount() const { return right_ - left_ + 1; }

    // The k-th cell counted from 1 along the rows of the range, left to right.
    Range Cells(long long k) const;
    // The cell at (row, column) counted from the top-left cell (1, 1); may lie outside the range.
    Range Cells(long long row, long long column) const;

    // Stores the value in every cell of the range. A date or time given to a cell with
    // the "General" format also gives it the default date or time format.
    void SetValue(const CellValue& value) const;
    void SetBold(bool bold) const;
    void SetHorizontalAlignment(HorizontalAlignment alignment) const;
    void SetNumberFormat(const std::string& format) const;
    // Sets the width, in characters, of every column the range touches.
    void SetColumnWidth(double width) const;
    // Defines or redefines the workbook-level name to refer to this range.
    void SetName(const std::string& name) const;

    // The value of the top-left cell.
    CellValue Value() const;
    // The style of the top-left cell.
    const CellStyle& Style() const;

    bool operator==(const Range& other) const;

  private:
    Worksheet* sheet_;
    int top_;
    int left_;
    int bottom_;
    int right_;
};

// "A1"-style text of a cell, e.g. (2, 28) -> "AB2".
std::string CellAddress(int row, int column);

}  // namespace mnemex::sheets
