#pragma once
// The main pages of Mnemex on a scripted screen, as page tests drive them.

#include <QAbstractButton>
#include <QComboBox>
#include <string>

#include "pages/main/DistMemPage.h"
#include "tests/support/ScriptedPlatform.h"

namespace mnemex::testsupport {

struct MainPagesSession : ScriptedPlatform {
    // The main pages registered, none shown yet.
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
