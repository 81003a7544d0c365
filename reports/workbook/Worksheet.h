#pragma once
// One worksheet: its name, its cells (kept sparse: only cells written or formatted use
// memory) and its column widths.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "reports/workbook/CellValue.h"
#include "reports/workbook/Range.h"
#include "reports/workbook/StyleTable.h"

namespace mnemex::sheets {

class Workbook;

class Worksheet {
  public:
    Worksheet(Workbook& owner, std::string name);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    Workbook& Owner() const { return *owner_; }
    const std::string& Name() const { return name_; }
    // Renames the sheet; refuses names the application refuses or another sheet has.
    void SetName(const std::string& name);

    // The cell at (row, column), both from 1.
    Range Cells(int row, int column);
    // The rectangle between two cells of this sheet.
    Range RangeBetween(const Range& corner1, const Range& corner2);
    // The block a workbook-level name refers to; it must be on this sheet.
    Range RangeNamed(const std::string& name);

    // Cell access, (row, column) from 1 and inside the sheet.
    void SetValue(int row, int column, const CellValue& value);
    CellValue Value(int row, int column) const;
    const CellStyle& Style(int row, int column) const;
    // Gives every cell of the rectangle the style `change` makes of its current one.
    void Restyle(int top, int left, int bottom, int right,
                 const std::function<void(CellStyle&)>& change);

    void SetColumnWidth(int column, double width);
    // Widths set so far, by column; other columns have the default width.
    const std::map<int, double>& ColumnWidths() const { return widths_; }

    // The number of cells that hold a value or a style of their own.
    std::size_t CellCount() const;

    // A stored cell as the file writer reads it.
    struct CellView {
        int Row;
        int Column;
        ValueKind Kind;
        double Number;
        const std::string* Text;
        StyleId Style;
    };
    // Calls `visit` for every stored cell, row by row, columns in increasing order.
    void ForEachCell(const std::function<void(const CellView&)>& visit) const;

  private:
    struct StoredCell {
        double Number;
        std::uint32_t Column;
        std::uint32_t Text;  // index into texts_ for text cells
        StyleId Style;
        ValueKind Kind;
    };
    StoredCell& Touch(int row, int column);
    const StoredCell* Find(int row, int column) const;
    void StoreText(StoredCell& cell, const std::string& text);

    Workbook* owner_;
    std::string name_;
    std::map<int, std::vector<StoredCell>> rows_;
    std::vector<std::string> texts_;
    std::map<int, double> widths_;
};

}  // namespace mnemex::sheets
