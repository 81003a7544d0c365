#include "reports/workbook/DesktopSpreadsheet.h"

namespace mnemex {

DesktopSpreadsheet::DesktopSpreadsheet()
    : handOver_(sheets::WorkbookFolder(), xdgOpener_), host_(handOver_) {}

DesktopSpreadsheet::DesktopSpreadsheet(sheets::WorkbookFolder folder,
                                       sheets::WorkbookOpener& opener)
    : handOver_(std::move(folder), opener), host_(handOver_) {}

void DesktopSpreadsheet::BuildSummary(PublicStuff& state, SummaryFeedback& feedback) {
    BuildSpreadsheetSummary(state, spreadsheetState_, host_, feedback);
}

}  // namespace mnemex
