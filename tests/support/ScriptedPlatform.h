#pragma once
// The program's state and platform services on a scripted screen, with a page manager and
// no page registered yet: dialogs answered from a script, one fixed drive, a stand-in
// spreadsheet summary. Tests and galleries register the pages they need.

#include "core/PublicStuff.h"
#include "pages/framework/DriveSource.h"
#include "pages/framework/PageManager.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/StandInSummary.h"

namespace mnemex::testsupport {

struct ScriptedPlatform {
    PublicStuff state;
    ScriptedDialogBackend backend;
    Dialogs dialogs{backend, QStringLiteral("Mnemex")};
    FixedDriveSource drives{{Drive{QStringLiteral("/"), QString()}}};
    StandInSummary summary;
    PlatformServices services{dialogs, drives, summary};
    PageManager manager{state, services};

    // Ending the program does nothing unless a test says otherwise.
    ScriptedPlatform() {
        manager.SetQuitAction([] {});
    }
};

}  // namespace mnemex::testsupport
