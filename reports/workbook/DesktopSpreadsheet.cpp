#include "reports/workbook/DesktopSpreadsheet.h"

namespace mnemex {

DesktopSpreadsheet::DesktopSpreadsheet()
    : handOver_(sheets::WorkbookFolder(), xdgOpener_), host_(handOver_) {}

DesktopSpreadsheet::DesktopSpreadsheet(sheets::WorkbookFolder folder,
                                       sheets::WorkbookOpener& opener)
    : handOver_(std::move(folder), opener), host_(handOver_) {}

void DesktopSpreadsheet::BuildSummary(PublicStuff& state, SummaryFeedback& feedback) {
    BuildSpreadsheetSummary(state, excel_, host_, feedback);
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
