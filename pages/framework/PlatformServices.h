#pragma once
// The platform services a window's code reaches through one object, so that tests can
// hand in scripted dialogs, a fixed drive list and a stand-in spreadsheet summary.

#include "core/SummaryService.h"
#include "pages/framework/Dialogs.h"
#include "pages/framework/DriveSource.h"

namespace mnemex {

struct PlatformServices {
    Dialogs& dialogs;
    const DriveSource& drives;
    SpreadsheetSummaryService& summary;
};

}  // namespace mnemex
