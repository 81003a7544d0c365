#include "reports/workbook/Worksheet.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "reports/workbook/SheetError.h"
#include "reports/workbook/Workbook.h"

namespace mnemex::sheets {

namespace {

const CellStyle& DefaultStyle() {
    static const CellStyle style;
    return style;
}

}  // namespace

Worksheet::Worksheet(Workbook& owner, std::string name) : owner_(&owner), name_(std::move(name)) {}

void Worksheet::SetName(const std::string& name) {
    if (!IsValidSheetName(name))
        ThrowSheetError("\"" + name + "\" cannot be used as a sheet name.");
    Worksheet* other = owner_->FindSheet(name);
    if (other != nullptr && other != this)
        ThrowSheetError("A sheet named \"" + name + "\" already exists in the workbook.");
    name_ = name;
}

Range Worksheet::Cells(int row, int column) {
    return Range(*this, row, column, row, column);
}

Range Worksheet::RangeBetween(const Range& corner1, const Range& corner2) {
    if (&corner1.Sheet() != this || &corner2.Sheet() != this)
        ThrowSheetError("A range can only join cells of its own sheet.");
    return Range(
        *this, std::min(corner1.Top(), corner2.Top()), std::min(corner1.Left(), corner2.Left()),
        std::max(corner1.Bottom(), corner2.Bottom()), std::max(corner1.Right(), corner2.Right()));
}

Range Worksheet::RangeNamed(const std::string& name) {
    const auto defined = owner_->FindName(name);
    if (!defined)
        ThrowSheetError("The workbook has no range named \"" + name + "\".");
    if (defined->Sheet != this)
        ThrowSheetError("The range named \"" + name + "\" is not on sheet \"" + name_ + "\".");
    return Range(*this, defined->Top, defined->Left, defined->Bottom, defined->Right);
}

Worksheet::StoredCell& Worksheet::Touch(int row, int column) {
    auto& cells = rows_[row];
    const auto col = static_cast<std::uint32_t>(column);
    // Cells are mostly written left to right, so appending is the common case.
    if (cells.empty() || cells.back().Column < col) {
        cells.push_back(StoredCell{0.0, col, 0, 0, ValueKind::kEmpty});
        return cells.back();
    }
    auto it = std::lower_bound(cells.begin(), cells.end(), col,
                               [](const StoredCell& c, std::uint32_t k) { return c.Column < k; });
    if (it == cells.end() || it->Column != col)
        it = cells.insert(it, StoredCell{0.0, col, 0, 0, ValueKind::kEmpty});
    return *it;
}

const Worksheet::StoredCell* Worksheet::Find(int row, int column) const {
    const auto r = rows_.find(row);
    if (r == rows_.end())
        return nullptr;
    const auto col = static_cast<std::uint32_t>(column);
    const auto& cells = r->second;
    auto it = std::lower_bound(cells.begin(), cells.end(), col,
                               [](const StoredCell& c, std::uint32_t k) { return c.Column < k; });
    if (it == cells.end() || it->Column != col)
        return nullptr;
    return &*it;
}

void Worksheet::StoreText(StoredCell& cell, const std::string& text) {
    if (cell.Kind == ValueKind::kText) {
        texts_[cell.Text] = text;  // reuse the slot of the text it replaces
        return;
    }
    if (texts_.size() >= std::numeric_limits<std::uint32_t>::max())
        ThrowSheetError("The worksheet holds too many texts.");
    cell.Text = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(text);
}

void Worksheet::SetValue(int row, int column, const CellValue& value) {
    // The longest text a cell can hold.
    constexpr std::size_t kMaxText = 32767;
    if (value.Kind == ValueKind::kText && value.Text.size() > kMaxText)
        ThrowSheetError("A text of more than 32767 characters does not fit in a cell.");
    StoredCell& cell = Touch(row, column);
    if (value.Kind == ValueKind::kText)
        StoreText(cell, value.Text);
    cell.Number = value.Number;
    cell.Kind = value.Kind;
    const bool dated = value.Kind == ValueKind::kDate || value.Kind == ValueKind::kTime;
    if (dated && owner_->Styles().Get(cell.Style).NumberFormat.empty()) {
        CellStyle style = owner_->Styles().Get(cell.Style);
        style.NumberFormat =
            value.Kind == ValueKind::kDate ? kDefaultDateFormat : kDefaultTimeFormat;
        cell.Style = owner_->Styles().Intern(style);
    }
}

CellValue Worksheet::Value(int row, int column) const {
    const StoredCell* cell = Find(row, column);
    if (cell == nullptr)
        return {};
    CellValue value{cell->Kind, cell->Number, {}};
    if (cell->Kind == ValueKind::kText)
        value.Text = texts_[cell->Text];
    return value;
}

const CellStyle& Worksheet::Style(int row, int column) const {
    const StoredCell* cell = Find(row, column);
    return cell == nullptr ? DefaultStyle() : owner_->Styles().Get(cell->Style);
}

void Worksheet::Restyle(int top, int left, int bottom, int right,
                        const std::function<void(CellStyle&)>& change) {
    StyleTable& styles = owner_->Styles();
    // The few styles in a rectangle map to the same few new ones; remember them.
    std::vector<std::pair<StyleId, StyleId>> seen;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            StoredCell& cell = Touch(r, c);
            auto hit = std::find_if(seen.begin(), seen.end(),
                                    [&cell](const auto& p) { return p.first == cell.Style; });
            if (hit != seen.end()) {
                cell.Style = hit->second;
                continue;
            }
            CellStyle style = styles.Get(cell.Style);
            change(style);
            const StyleId id = styles.Intern(style);
            seen.emplace_back(cell.Style, id);
            cell.Style = id;
        }
    }
}

void Worksheet::SetColumnWidth(int column, double width) {
    widths_[column] = width;
}

std::size_t Worksheet::CellCount() const {
    std::size_t count = 0;
    for (const auto& [row, cells] : rows_)
        count += cells.size();
    return count;
}

void Worksheet::ForEachCell(const std::function<void(const CellView&)>& visit) const {
    for (const auto& [row, cells] : rows_) {
        for (const StoredCell& cell : cells) {
            const std::string* text = cell.Kind == ValueKind::kText ? &texts_[cell.Text] : nullptr;
            visit(CellView{row, static_cast<int>(cell.Column), cell.Kind, cell.Number, text,
                           cell.Style});
        }
    }
}

}  // namespace mnemex::sheets
