#include "tests/workbook/SummaryFakes.h"

#include "reports/workbook/SheetError.h"

namespace mnemex::testing {

std::shared_ptr<sheets::SpreadsheetApplication> DeadHost::CreateApplication() {
    ++Calls;
    sheets::ThrowSheetError("No spreadsheet application is available.");
}

std::shared_ptr<sheets::SpreadsheetApplication> DeadHost::RunningApplication() {
    ++Calls;
    throw RunTimeException(RunTimeError{429, "The spreadsheet application is not running.", {}});
}

}  // namespace mnemex::testing
