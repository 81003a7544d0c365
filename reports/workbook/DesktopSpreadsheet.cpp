#include "reports/workbook/DesktopSpreadsheet.h"

namespace mnemex {

DesktopSpreadsheet::DesktopSpreadsheet()
    : opener_(&xdgOpener_), handOver_(sheets::WorkbookFolder(), xdgOpener_), host_(handOver_) {}

DesktopSpreadsheet::DesktopSpreadsheet(sheets::WorkbookFolder folder,
                                       sheets::WorkbookOpener& opener)
    : opener_(&opener), handOver_(std::move(folder), opener), host_(handOver_) {}

void DesktopSpreadsheet::BuildSummary(PublicStuff& state, SummaryFeedback& feedback) {
    handOver_.TakeUnopened();  // nothing left from an earlier build
    BuildSpreadsheetSummary(state, excel_, host_, feedback);
    if (const auto unopened = handOver_.TakeUnopened())
        ExplainUnopened(*unopened, feedback);
}

void DesktopSpreadsheet::ExplainUnopened(const sheets::UnopenedWorkbook& workbook,
                                         SummaryFeedback& feedback) {
    const std::string message = sheets::UnopenedWorkbookMessage(workbook);
    if (!ask_) {
        feedback.ShowMessage(message);
        return;
    }
    if (!ask_(message + "\r\rShow the folder that holds it?"))
        return;
    if (const auto failed = opener_->Open(workbook.Folder))
        feedback.ShowMessage("The folder " + workbook.Folder + " could not be shown: " + *failed +
                             ".");
}

void CallbackFeedback::SetFeedbackCaption(const std::string& text) {
    if (Caption)
        Caption(text);
}

void CallbackFeedback::SetProgressRange(int minimum, int maximum) {
    if (Range)
        Range(minimum, maximum);
}

int CallbackFeedback::ProgressValue() const {
    return ReadValue ? ReadValue() : value_;
}

void CallbackFeedback::SetProgressValue(int value) {
    value_ = value;
    if (Value)
        Value(value);
}

void CallbackFeedback::SetProgressVisible(bool visible) {
    if (Visible)
        Visible(visible);
}

void CallbackFeedback::ShowMessage(const std::string& text) {
    if (Message)
        Message(text);
}

}  // namespace mnemex
