#pragma once
// The main pages of Mnemex on a scripted screen, as page tests drive them.

#include <QAbstractButton>
#include <QComboBox>
#include <QString>
#include <string>

#include "pages/main/DistMemPage.h"
#include "pages/main/ListBox.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

namespace mnemex::testsupport {

struct MainPagesSession : ScriptedPlatform {
    // Set when the program ends (an Exit button, or the last page going).
    bool ended = false;

    // The main pages registered, none shown yet.
    MainPagesSession();

    // Loads the training file `folder`/`name` as a double-click on the introductory page
    // does, then shows the setup page for a new run. A file that cannot be loaded ends the
    // test program: the fixture itself is broken then.
    void ShowSetupPage(const std::string& folder, const std::string& name);
    pages::Network1Page* Intro();
    pages::DistMemPage* Setup();
    pages::TestDAMPage* Hub();
    void Click(QAbstractButton* button);
    // The user picks entry `index` of the setup page's pattern-order list.
    void ChooseOrder(int index);
    // "Test Recall" on the setup page: the hub opens in front of it.
    void ToHub();
    // The user brings another window to the front and then `page` again.
    void Reactivate(Form* page);

    // The message boxes shown so far, and the last of them.
    int MessageCount() const;
    const ScriptedDialogBackend::Shown& LastMessage() const;

    // Lets pages that were unloaded go.
    static void Settle();
};

// A double-click on item `row` of a list of the testing hub.
void DoubleClickItem(pages::ListBox* list, int row);

// The program as a user starts it: the introductory page shown, a folder of training files
// to choose from (independent.net: 4 inputs, 2 outputs, 3 patterns; orthogonal.net: 4
// inputs, 3 outputs, 4 patterns; broken.net, cut short; notes.txt, not a training file),
// and plain pages standing in for the result pages the hub opens.
struct MainPagesFromTheStart : MainPagesSession {
    TempFolder folder;
    // How many stand-in result pages have been made.
    int resultPagesMade = 0;

    MainPagesFromTheStart();
    QString FolderPath() const;
    // Double-clicks `name` in the introductory page's file list, in our folder.
    void DoubleClickFile(const QString& name);
    // From the introductory page to the setup page with `name` loaded.
    void ToSetup(const QString& name = QStringLiteral("independent.net"));
};

}  // namespace mnemex::testsupport
