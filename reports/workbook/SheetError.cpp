#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

void ThrowSheetError(const std::string& description) {
    throw RunTimeException(RunTimeError{kApplicationError, description, {}});
}

}  // namespace mnemex::sheets
