#include "reports/workbook/SummaryFile.h"

#include "reports/workbook/DesktopHandOver.h"
#include "reports/workbook/SpreadsheetSummary.h"

namespace mnemex {

namespace {

// Keeps the message of a failed build; there is nothing on screen to update.
class QuietFeedback : public SummaryFeedback {
  public:
    void SetFeedbackCaption(const std::string&) override {}
    void SetProgressRange(int, int) override {}
    int ProgressValue() const override { return value_; }
    void SetProgressValue(int value) override { value_ = value; }
    void SetProgressVisible(bool) override {}
    void ShowMessage(const std::string& text) override { message += text; }
    std::string message;

  private:
    int value_ = 0;
};

}  // namespace

bool SummaryWorkbookAvailable() {
    return true;
}

std::string WriteSummaryWorkbookFile(PublicStuff& state, const std::string& path,
                                     const output::WriteOptions& options) {
    sheets::FileHandOver handOver(path, options);
    sheets::LocalSpreadsheetHost host(handOver);
    SpreadsheetState spreadsheet;
    QuietFeedback feedback;
    BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    return feedback.message;
}

}  // namespace mnemex
