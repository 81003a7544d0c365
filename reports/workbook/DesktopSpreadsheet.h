#pragma once
// Everything the desktop program needs for its spreadsheet summaries, in one object it
// keeps for the whole run: the program-wide spreadsheet state, the application host and
// the hand-over of finished workbooks to the desktop's spreadsheet program.

#include "core/PublicStuff.h"
#include "reports/workbook/DesktopHandOver.h"
#include "reports/workbook/DesktopOpener.h"
#include "reports/workbook/SpreadsheetSummary.h"

namespace mnemex {

class DesktopSpreadsheet : public SpreadsheetSummaryService {
  public:
    // Workbooks go to the program's folder in the temporary folder and open with xdg-open.
    DesktopSpreadsheet();
    // Workbooks go to `folder` and open with `opener` (kept by reference).
    DesktopSpreadsheet(sheets::WorkbookFolder folder, sheets::WorkbookOpener& opener);
    DesktopSpreadsheet(const DesktopSpreadsheet&) = delete;
    DesktopSpreadsheet& operator=(const DesktopSpreadsheet&) = delete;

    // The hub's "Create A Summary In Excel": builds, shows, and reports through `feedback`.
    // A workbook saved but not opened is explained with its path, and the user is offered
    // its folder when the feedback can ask.
    void BuildSummary(PublicStuff& state, SummaryFeedback& feedback) override;

    const SpreadsheetState& State() const { return spreadsheetState_; }

  private:
    void ExplainUnopened(const sheets::UnopenedWorkbook& workbook, SummaryFeedback& feedback);

    sheets::XdgOpener xdgOpener_;
    sheets::WorkbookOpener* opener_;
    sheets::DesktopHandOver handOver_;
    sheets::LocalSpreadsheetHost host_;
    SpreadsheetState spreadsheetState_;
};

}  // namespace mnemex
