#include "reports/workbook/DesktopSpreadsheet.h"

namespace mnemex {

DesktopSpreadsheet::DesktopSpreadsheet()
    : opener_(&xdgOpener_), handOver_(sheets::WorkbookFolder(), xdgOpener_), host_(handOver_) {}

DesktopSpreadsheet::DesktopSpreadsheet(sheets::WorkbookFolder folder,
                                       sheets::WorkbookOpener& opener)
    : opener_(&opener), handOver_(std::move(folder), opener), host_(handOver_) {}

void DesktopSpreadsheet::BuildSummary(PublicStuff& state, SummaryFeedback& feedback) {
    handOver_.TakeUnopened();  // nothing left from an earlier build
    BuildSpreadsheetSummary(state, spreadsheetState_, host_, feedback);
    if (const auto unopened = handOver_.TakeUnopened())
        ExplainUnopened(*unopened, feedback);
}

void DesktopSpreadsheet::ExplainUnopened(const sheets::UnopenedWorkbook& workbook,
                                         SummaryFeedback& feedback) {
    const std::string message = sheets::UnopenedWorkbookMessage(workbook);
    const std::optional<bool> show =
        feedback.AskYesNo(message + "\r\rShow the folder that holds it?");
    if (!show) {
        feedback.ShowMessage(message);
        return;
    }
    if (!*show)
        return;
    if (const auto failed = opener_->Open(workbook.Folder))
        feedback.ShowMessage("The folder " + workbook.Folder + " could not be shown: " + *failed +
                             ".");
}

}  // namespace mnemex
