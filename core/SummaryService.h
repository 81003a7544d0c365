#pragma once
// The spreadsheet summary as a service the pages are handed, like the dialogs and the drive
// list: the testing hub asks it for a summary and shows how the build goes through the
// SummaryFeedback it passes. Plain C++ without Qt and in the core, below both the page
// framework and the Qt-free workbook library: the workbook provides the service, the pages are
// handed it, and tests stand in for it.

#include <optional>
#include <string>

namespace mnemex {

struct PublicStuff;

// The hub's feedback line, progress bar and message boxes, as a summary build sees them.
// Every call shows at once, since the build runs inside the hub's double-click.
class SummaryFeedback {
  public:
    virtual ~SummaryFeedback() = default;
    // The hub's feedback line.
    virtual void SetFeedbackCaption(const std::string& text) = 0;
    // The hub's progress bar.
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual int ProgressValue() const = 0;
    virtual void SetProgressValue(int value) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
    // A message box with an OK button only, no icon, captioned with the program's title;
    // lines joined by CR.
    virtual void ShowMessage(const std::string& text) = 0;
    // A question with Yes and No, the question icon and No as the default, captioned with
    // the program's title; true for Yes. Nothing when this feedback cannot ask.
    virtual std::optional<bool> AskYesNo(const std::string& /*text*/) { return std::nullopt; }
};

class SpreadsheetSummaryService {
  public:
    virtual ~SpreadsheetSummaryService() = default;
    // Builds the summary of the program-wide state; returns when it is built or the build
    // has failed, having reported either through `feedback`.
    virtual void BuildSummary(PublicStuff& state, SummaryFeedback& feedback) = 0;
};

}  // namespace mnemex
