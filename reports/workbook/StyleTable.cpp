#include "reports/workbook/StyleTable.h"

#include <limits>

#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

StyleTable::StyleTable() : styles_(1) {}

StyleId StyleTable::Intern(const CellStyle& style) {
    // A workbook uses a handful of styles, so a linear search is the fastest lookup.
    for (std::size_t k = 0; k < styles_.size(); ++k) {
        if (styles_[k] == style)
            return static_cast<StyleId>(k);
    }
    if (styles_.size() > std::numeric_limits<StyleId>::max())
        ThrowSheetError("The workbook has too many different cell formats.");
    styles_.push_back(style);
    return static_cast<StyleId>(styles_.size() - 1);
}

}  // namespace mnemex::sheets
