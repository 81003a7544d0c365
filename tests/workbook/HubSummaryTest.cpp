// "Create A Summary In Excel" on the real testing hub, offscreen: a trained network, the
// entry double-clicked, and what the hub, the message boxes and the desktop then show.
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "reports/workbook/DesktopSpreadsheet.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/workbook/SummaryFakes.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

// 4 inputs, 2 outputs, 3 patterns.
const char* kIndependent = "2, 0, 4, 3\n1, 1, 0, 0\n0, 1, 1, 0\n0, 0, 1, 1\n1, 0\n0, 1\n1, 1\n";

struct Program {
    PublicStuff state;
    ScriptedDialogBackend backend;
    Dialogs dialogs{backend, QStringLiteral("Mnemex")};
    FixedDriveSource drives{{Drive{QStringLiteral("/"), QString()}}};
    testing::FakeOpener opener;
    QTemporaryDir folder;
    DesktopSpreadsheet spreadsheet;
    PlatformServices services{dialogs, drives, spreadsheet};
    PageManager manager{state, services};

    explicit Program(const QString& workbookFolder)
        : spreadsheet(sheets::WorkbookFolder(workbookFolder.toStdString()), opener) {
        manager.SetQuitAction([] {});
        RegisterMainPages(manager);
        std::ofstream(folder.filePath(QStringLiteral("independent.net")).toStdString())
            << kIndependent;
        manager.Show(QString::fromLatin1(Network1Page::kName));
    }

    TestDAMPage* Hub() {
        return manager.FindAs<TestDAMPage>(QString::fromLatin1(TestDAMPage::kName));
    }

    // From the start to the hub after a default training run.
    void ToHub() {
        auto* intro = manager.FindAs<Network1Page>(QString::fromLatin1(Network1Page::kName));
        intro->FolderListBox()->SetPath(folder.path());
        intro->FileListBox()->DoubleClickItem(
            intro->FileListBox()->Items().indexOf("independent.net"));
        QTest::mouseClick(intro->NextPageButton(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* setup = manager.FindAs<DistMemPage>(QString::fromLatin1(DistMemPage::kName));
        QVERIFY(setup != nullptr);
        QTest::mouseClick(setup->StartTrainingButton(), Qt::LeftButton);
        QTest::mouseClick(setup->TestRecallButton(), Qt::LeftButton);
        QVERIFY(Hub() != nullptr);
    }

    void DoubleClickSummaryEntry() {
        ListBox* list = Hub()->ExamineList();
        const QRect r = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
};

}  // namespace

class HubSummaryTest : public QObject {
    Q_OBJECT
  private slots:
    void summaryOpensANewWorkbookEachTime();
    void failureShowsTheMessageAndClearsTheWaitingDisplay();
    void workbookNoProgramOpensIsExplainedWithItsPath_data();
    void workbookNoProgramOpensIsExplainedWithItsPath();
};

void HubSummaryTest::summaryOpensANewWorkbookEachTime() {
    QTemporaryDir workbooks;
    Program p(workbooks.path());
    p.ToHub();
    QCOMPARE(p.Hub()->ExamineList()->item(1)->text(), QStringLiteral("Create A Summary In Excel"));

    p.DoubleClickSummaryEntry();
    p.DoubleClickSummaryEntry();

    QCOMPARE(static_cast<int>(p.backend.shown.size()), 0);
    const std::vector<std::string> expected = {
        workbooks.filePath(QStringLiteral("Summary-1.xlsx")).toStdString(),
        workbooks.filePath(QStringLiteral("Summary-2.xlsx")).toStdString()};
    QCOMPARE(p.opener.Opened, expected);
    QCOMPARE(p.Hub()->FeedbackLine()->text(), QString());
    QVERIFY(p.Hub()->SummaryProgressBar()->isHidden());
    QCOMPARE(p.Hub()->SummaryProgressBar()->value(), 21);
    QCOMPARE(p.spreadsheet.State().ExcelStarted, static_cast<std::int16_t>(1));
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
}

void HubSummaryTest::failureShowsTheMessageAndClearsTheWaitingDisplay() {
    QTemporaryDir base;
    const QString blocker = base.filePath(QStringLiteral("not-a-folder"));
    std::ofstream(blocker.toStdString()) << "x";
    Program p(blocker + QStringLiteral("/workbooks"));
    p.ToHub();

    p.DoubleClickSummaryEntry();

    QCOMPARE(static_cast<int>(p.backend.shown.size()), 1);
    const auto& shown = p.backend.shown.back();
    QCOMPARE(shown.title, QStringLiteral("Mnemex"));
    QCOMPARE(shown.style, MsgStyle::OkOnly);
    const QStringList lines = shown.text.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(),
             QStringLiteral("This version of the code has encountered an error with excel."));
    QCOMPARE(lines.last(), QStringLiteral("The workbook could not be saved in the folder ") +
                               blocker + QStringLiteral("/workbooks: Not a directory."));
    // The build is over: no waiting line, no bar.
    QCOMPARE(p.Hub()->FeedbackLine()->text(), QString());
    QVERIFY(p.Hub()->SummaryProgressBar()->isHidden());
    QVERIFY(p.opener.Opened.empty());
    // Both pages are still open and the hub answers again: the next try reports again.
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
    p.DoubleClickSummaryEntry();
    QCOMPARE(static_cast<int>(p.backend.shown.size()), 2);
}

void HubSummaryTest::workbookNoProgramOpensIsExplainedWithItsPath_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("folder shown") << kMsgYes;
    QTest::newRow("folder not wanted") << kMsgNo;
}

void HubSummaryTest::workbookNoProgramOpensIsExplainedWithItsPath() {
    QFETCH(int, answer);
    QTemporaryDir workbooks;
    Program p(workbooks.path());
    p.opener.Failure = "no application is set up to open this kind of file";
    p.opener.WorkbooksOnly = true;
    p.ToHub();
    p.backend.QueueButton(answer);

    p.DoubleClickSummaryEntry();

    const QString file = workbooks.filePath(QStringLiteral("Summary-1.xlsx"));
    QVERIFY(QFile::exists(file));
    QCOMPARE(static_cast<int>(p.backend.shown.size()), 1);
    const auto& shown = p.backend.shown.back();
    QCOMPARE(shown.style, MsgStyle::YesNoQuestion);
    QCOMPARE(shown.title, QStringLiteral("Mnemex"));
    QCOMPARE(shown.text, QStringLiteral("The spreadsheet summary was saved as\n") + file +
                             QStringLiteral("\n\nbut no program on this computer could open it: "
                                            "no application is set up to open this kind of "
                                            "file.\nYou can open the file from that folder with "
                                            "a spreadsheet program.\n\nShow the folder that "
                                            "holds it?"));
    std::vector<std::string> opened{file.toStdString()};
    if (answer == kMsgYes)
        opened.push_back(workbooks.path().toStdString());
    QCOMPARE(p.opener.Opened, opened);
    QCOMPARE(p.Hub()->FeedbackLine()->text(), QString());
    QVERIFY(p.Hub()->SummaryProgressBar()->isHidden());
}

QTEST_MAIN(HubSummaryTest)
#include "HubSummaryTest.moc"
