#pragma once
// Connects the testing hub's "Create A Summary In Excel" entry to the spreadsheet
// summary. For the desktop program only: it joins the hub's hook and the program's
// message boxes (Qt) to the summary build (no Qt).

#include <QString>
#include <string>

#include "pages/framework/Dialogs.h"
#include "pages/main/SpreadsheetHook.h"
#include "reports/workbook/DesktopSpreadsheet.h"

namespace mnemex {

// From now on the hub's entry builds with `spreadsheet`, reporting on the hub's feedback
// line and progress bar and in `dialogs`' message boxes (OK only, the program's title).
// Both must outlive every hub page.
inline void ConnectHubSpreadsheet(DesktopSpreadsheet& spreadsheet, Dialogs& dialogs) {
    spreadsheet.SetQuestion([&dialogs](const std::string& text) {
        return dialogs.MsgBox(QString::fromStdString(text), MsgStyle::YesNoQuestion) == kMsgYes;
    });
    pages::SetSpreadsheetSummaryHook(
        [&spreadsheet, &dialogs](PublicStuff& state, pages::SummaryFeedback& hub) {
            spreadsheet.BuildSummaryFor(state, hub, [&dialogs](const std::string& text) {
                dialogs.MsgBox(QString::fromStdString(text), MsgStyle::OkOnly);
            });
        });
}

}  // namespace mnemex
