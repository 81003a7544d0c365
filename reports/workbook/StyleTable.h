#pragma once
// The distinct cell styles of a workbook; cells refer to them by a small number.

#include <cstdint>
#include <vector>

#include "reports/workbook/CellValue.h"

namespace mnemex::sheets {

using StyleId = std::uint16_t;

class StyleTable {
  public:
    // Style 0 is the application's default: not bold, general alignment, "General".
    StyleTable();
    // The number of the given style, added to the table when it is new.
    StyleId Intern(const CellStyle& style);
    const CellStyle& Get(StyleId id) const { return styles_[id]; }
    std::size_t Count() const { return styles_.size(); }

  private:
    std::vector<CellStyle> styles_;
};

}  // namespace mnemex::sheets
