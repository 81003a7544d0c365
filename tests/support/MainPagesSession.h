#pragma once
// The main pages of Mnemex on a scripted screen, as page tests drive them: the program's
// state, scripted dialogs, one fixed drive, a stand-in spreadsheet summary, and the pages
// registered as the program registers them.

#include <QAbstractButton>
#include <QComboBox>
#include <string>

#include "core/PublicStuff.h"
#include "pages/framework/DriveSource.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/ScriptedDialogBackend.h"
#include "pages/main/DistMemPage.h"
#include "tests/support/StandInSummary.h"

namespace mnemex::testsupport {

struct MainPagesSession {
    PublicStuff state;
    ScriptedDialogBackend backend;
    Dialogs dialogs{backend, QStringLiteral("Mnemex")};
    FixedDriveSource drives{{Drive{QStringLiteral("/"), QString()}}};
    StandInSummary summary;
    PlatformServices services{dialogs, drives, summary};
    PageManager manager{state, services};

    MainPagesSession();

    // Loads the training file `folder`/`name` as a double-click on the introductory page
    // does, then shows the setup page for a new run. A file that cannot be loaded ends the
    // test program: the fixture itself is broken then.
    void ShowSetupPage(const std::string& folder, const std::string& name);
    pages::DistMemPage* Setup();
    void Click(QAbstractButton* button);
    // The user picks entry `index` of the setup page's pattern-order list.
    void ChooseOrder(int index);
};

}  // namespace mnemex::testsupport
