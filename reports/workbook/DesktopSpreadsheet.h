#pragma once
// Everything the desktop program needs for its spreadsheet summaries, in one object it
// keeps for the whole run: the program-wide spreadsheet state, the application host and
// the hand-over of finished workbooks to the desktop's spreadsheet program.

#include <functional>
#include <string>

#include "core/PublicStuff.h"
#include "reports/workbook/DesktopHandOver.h"
#include "reports/workbook/DesktopOpener.h"
#include "reports/workbook/SpreadsheetSummary.h"

namespace mnemex {

class DesktopSpreadsheet {
  public:
    // Workbooks go to the program's folder in the temporary folder and open with xdg-open.
    DesktopSpreadsheet();
    // Workbooks go to `folder` and open with `opener` (kept by reference).
    DesktopSpreadsheet(sheets::WorkbookFolder folder, sheets::WorkbookOpener& opener);
    DesktopSpreadsheet(const DesktopSpreadsheet&) = delete;
    DesktopSpreadsheet& operator=(const DesktopSpreadsheet&) = delete;

    // The hub's "Create A Summary In Excel": builds, shows, and reports through `feedback`.
    // A workbook saved but not opened is explained, with the offer to show its folder
    // when a question can be asked (SetQuestion).
    void BuildSummary(PublicStuff& state, SummaryFeedback& feedback);

    // How to ask the user a Yes/No question (true for Yes; No is the default answer).
    void SetQuestion(std::function<bool(const std::string&)> ask) { ask_ = std::move(ask); }

    // The same, reporting through a hub object that offers SetCaption(text),
    // SetProgressRange(min, max), SetProgressValue(v) and SetProgressVisible(shown), and
    // showing messages through `showMessage(text)`.
    template <typename Hub, typename ShowMessage>
    void BuildSummaryFor(PublicStuff& state, Hub& hub, ShowMessage&& showMessage);

    const SpreadsheetState& State() const { return excel_; }

  private:
    void ExplainUnopened(const sheets::UnopenedWorkbook& workbook, SummaryFeedback& feedback);

    sheets::XdgOpener xdgOpener_;
    sheets::WorkbookOpener* opener_;
    std::function<bool(const std::string&)> ask_;
    sheets::DesktopHandOver handOver_;
    sheets::LocalSpreadsheetHost host_;
    SpreadsheetState excel_;
};

// Feedback through plain functions, for pages whose controls are reached through their
// own small interfaces. Unset functions do nothing; the progress value is remembered
// here when no reader is given.
struct CallbackFeedback : SummaryFeedback {
    std::function<void(const std::string&)> Caption;
    std::function<void(int, int)> Range;
    std::function<int()> ReadValue;
    std::function<void(int)> Value;
    std::function<void(bool)> Visible;
    std::function<void(const std::string&)> Message;

    void SetFeedbackCaption(const std::string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    int ProgressValue() const override;
    void SetProgressValue(int value) override;
    void SetProgressVisible(bool visible) override;
    void ShowMessage(const std::string& text) override;

  private:
    int value_ = 0;
};

template <typename Hub, typename ShowMessage>
void DesktopSpreadsheet::BuildSummaryFor(PublicStuff& state, Hub& hub, ShowMessage&& showMessage) {
    CallbackFeedback feedback;
    feedback.Caption = [&hub](const std::string& text) { hub.SetCaption(text); };
    feedback.Range = [&hub](int minimum, int maximum) { hub.SetProgressRange(minimum, maximum); };
    feedback.Value = [&hub](int value) { hub.SetProgressValue(value); };
    feedback.Visible = [&hub](bool visible) { hub.SetProgressVisible(visible); };
    feedback.Message = [&showMessage](const std::string& text) { showMessage(text); };
    BuildSummary(state, feedback);
}

}  // namespace mnemex
