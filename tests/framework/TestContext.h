#pragma once
// Everything a page needs, made for one test: its own network state, scripted dialogs, a
// fixed drive list, a stand-in spreadsheet summary and a page manager whose quit is only
// counted.

#include <memory>

#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/StandInSummary.h"

struct TestContext {
    TestContext() {
        pages.SetQuitAction([this] { ++quits; });
    }

    std::unique_ptr<mnemex::PublicStuff> state = std::make_unique<mnemex::PublicStuff>();
    mnemex::ScriptedDialogBackend dialogBackend;
    mnemex::Dialogs dialogs{dialogBackend, QStringLiteral("Mnemex")};
    mnemex::FixedDriveSource drives{{{QStringLiteral("/"), {}}}};
    mnemex::testsupport::StandInSummary summary;
    mnemex::PlatformServices services{dialogs, drives, summary};
    mnemex::PageManager pages{*state, services};
    int quits = 0;
};
