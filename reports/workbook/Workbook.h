#pragma once
// A workbook of the spreadsheet application: sheets in tab order, the active sheet,
// workbook-level names and the cell styles.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reports/workbook/Range.h"
#include "reports/workbook/StyleTable.h"
#include "reports/workbook/Worksheet.h"

namespace mnemex::sheets {

// A workbook-level name and the block it refers to.
struct DefinedName {
    std::string Name;
    const Worksheet* Sheet = nullptr;
    int Top = 0;
    int Left = 0;
    int Bottom = 0;
    int Right = 0;
};

class Workbook {
  public:
    // A new workbook holding `blankSheets` empty sheets "Sheet1", "Sheet2", ...; the first
    // is active.
    Workbook(std::string title, int blankSheets);
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const std::string& Title() const { return title_; }

    // Inserts a new empty sheet in front of the active one and makes it active.
    Worksheet& AddSheet();
    Worksheet& ActiveSheet() { return *sheets_[active_]; }
    const Worksheet& ActiveSheet() const { return *sheets_[active_]; }
    int ActiveIndex() const { return static_cast<int>(active_); }
    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    // Sheet by tab position, from 0 at the left.
    Worksheet& SheetAt(int index) { return *sheets_.at(static_cast<std::size_t>(index)); }
    const Worksheet& SheetAt(int index) const {
        return *sheets_.at(static_cast<std::size_t>(index));
    }
    // Sheet by name (any letter case), or nullptr.
    Worksheet* FindSheet(const std::string& name);

    // Defines the name, or redefines it when it exists (letter case does not matter).
    void DefineName(const std::string& name, const Range& range);
    std::optional<DefinedName> FindName(const std::string& name) const;
    // Every name, ordered by name regardless of letter case.
    std::vector<DefinedName> Names() const;

    StyleTable& Styles() { return styles_; }
    const StyleTable& Styles() const { return styles_; }

    // The number of stored cells over all sheets.
    std::size_t CellCount() const;

  private:
    std::string title_;
    std::vector<std::unique_ptr<Worksheet>> sheets_;
    std::size_t active_ = 0;
    int nextSheetNumber_ = 1;
    std::map<std::string, DefinedName> names_;  // keyed by the upper-case name
    StyleTable styles_;
};

// True when the application accepts `name` as a workbook-level name.
bool IsValidName(const std::string& name);
// True when the application accepts `name` as a sheet name.
bool IsValidSheetName(const std::string& name);

}  // namespace mnemex::sheets
