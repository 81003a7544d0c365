// The introductory page driven as a user drives it: the file lists, a double-click on a
// training file, a large file read while the page waits, and Next and Exit.
#include <QtTest>

#include "pages/main/BackgroundRead.h"
#include "pages/main/Network1Logic.h"
#include "tests/support/LargeTrainingFile.h"
#include "tests/support/MainPagesSession.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

using Program = testsupport::MainPagesFromTheStart;

QStringList BoxTexts(Network1Page* page) {
    QStringList shown;
    for (QLineEdit* box : page->FileInfoBoxes())
        shown << box->text();
    return shown;
}

// About 6 MB: read in the background. `lastValue` replaces the file's last value.
void WriteLargeFile(Program& p, const char* name, const std::string& lastValue = {}) {
    const long long size =
        testsupport::WriteLargeTrainingFile(p.folder.Path() / name, 700, 30, 800, lastValue);
    QVERIFY(size > kBackgroundReadBytes);
}

// While a file is read, only Exit can be used; the bar shows how far it is.
void ExpectWaiting(Network1Page* page, bool waiting) {
    QCOMPARE(page->Reading(), waiting);
    QCOMPARE(page->DriveListBox()->isEnabled(), !waiting);
    QCOMPARE(page->FolderListBox()->isEnabled(), !waiting);
    QCOMPARE(page->FileListBox()->isEnabled(), !waiting);
    QCOMPARE(page->NextPageButton()->isEnabled(), !waiting);
    QVERIFY(page->ExitButton()->isEnabled());
    QCOMPARE(page->ReadingProgressBar()->isVisible(), waiting);
    QCOMPARE(page->ReadingLabel()->isVisible(), waiting);
}

}  // namespace

class IntroductoryPageTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithTheTrainingFilesAndNoInformation();
    void aChosenFileFillsTheBoxesAndLeadsToTheSetupPage();
    void unreadableFileKeepsThePreviousOne();
    void largeFileIsReadWhileThePageWaits();
    void refusedLargeFileRestoresThePage();
    void exitWhileALargeFileIsRead();
    void driveThatCannotBeOpenedLeavesTheLists();
};

void IntroductoryPageTest::startsWithTheTrainingFilesAndNoInformation() {
    Program p;
    Network1Page* page = p.Intro();
    QVERIFY(page->NextPageButton()->isHidden());
    for (QLineEdit* box : page->FileInfoBoxes())
        QVERIFY(box->isHidden());
    page->FolderListBox()->SetPath(p.FolderPath());
    QCOMPARE(page->FileListBox()->Items(),
             (QStringList{"broken.net", "independent.net", "orthogonal.net"}));
}

void IntroductoryPageTest::aChosenFileFillsTheBoxesAndLeadsToTheSetupPage() {
    Program p;
    p.DoubleClickFile(QStringLiteral("independent.net"));
    Network1Page* page = p.Intro();
    for (QLineEdit* box : page->FileInfoBoxes())
        // Readable but not editable: read-only, in normal text.
        QVERIFY(box->isVisible() && box->isEnabled() && box->isReadOnly());
    QCOMPARE(BoxTexts(page), (QStringList{"independent.net", "2", "4", "3"}));
    for (QLabel* label : page->FileInfoLabels())
        QVERIFY(label->isVisible());
    QVERIFY(page->NextPageButton()->isVisible());

    // Another file replaces it.
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    QCOMPARE(BoxTexts(page), (QStringList{"orthogonal.net", "3", "4", "4"}));

    // Next: the setup page for a new run takes this page's place.
    p.Click(page->NextPageButton());
    p.Settle();
    QCOMPARE(p.manager.LoadedNames(), QStringList{"DistMem"});
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));
}

void IntroductoryPageTest::unreadableFileKeepsThePreviousOne() {
    Program p;
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    p.DoubleClickFile(QStringLiteral("broken.net"));
    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.contains("broken.net"), qPrintable(p.LastMessage().text));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(BoxTexts(p.Intro()), (QStringList{"orthogonal.net", "3", "4", "4"}));
    QVERIFY(p.Intro()->NextPageButton()->isVisible());

    // A failure on a fresh page leaves it without the information block.
    Program q;
    q.DoubleClickFile(QStringLiteral("broken.net"));
    QCOMPARE(q.MessageCount(), 1);
    QVERIFY(q.Intro()->NextPageButton()->isHidden());
}

// The read itself (the same store as a read on the spot) is the background reader's to
// test; here, what the page shows and allows while it waits.
void IntroductoryPageTest::largeFileIsReadWhileThePageWaits() {
    Program p;
    WriteLargeFile(p, "large.net");
    p.DoubleClickFile(QStringLiteral("independent.net"));
    Network1Page* page = p.Intro();
    page->show();

    p.DoubleClickFile(QStringLiteral("large.net"));
    ExpectWaiting(page, true);
    // Until the whole file is read, the earlier one stays loaded and shown.
    QCOMPARE(BoxTexts(page), (QStringList{"independent.net", "2", "4", "3"}));
    QVERIFY(page->NextPageButton()->isVisible());
    QCOMPARE(p.state.TrainingFileName, std::string("independent.net"));

    QTRY_VERIFY_WITH_TIMEOUT(!page->Reading(), 60000);
    ExpectWaiting(page, false);
    QCOMPARE(BoxTexts(page), (QStringList{"large.net", "30", "700", "800"}));
    QCOMPARE(p.state.TrainingFileName, std::string("large.net"));
    QCOMPARE(p.MessageCount(), 0);
}

void IntroductoryPageTest::refusedLargeFileRestoresThePage() {
    for (const bool earlierFile : {true, false}) {
        Program q;
        WriteLargeFile(q, "refused.net", "1.5.2");
        PublicStuff scratch;
        const FileChoice expected =
            LoadChosenFile(scratch, q.folder.Path().string(), "refused.net");
        QVERIFY(!expected.Loaded);
        if (earlierFile)
            q.DoubleClickFile(QStringLiteral("orthogonal.net"));
        Network1Page* page = q.Intro();
        page->show();
        q.DoubleClickFile(QStringLiteral("refused.net"));
        ExpectWaiting(page, true);
        QCOMPARE(q.MessageCount(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!page->Reading(), 60000);
        ExpectWaiting(page, false);
        QCOMPARE(q.MessageCount(), 1);
        QCOMPARE(q.LastMessage().text, QString::fromStdString(expected.Message));
        QCOMPARE(q.LastMessage().style, MsgStyle::OkOnly);
        QCOMPARE(page->NextPageButton()->isVisible(), earlierFile);
        if (earlierFile) {
            QCOMPARE(BoxTexts(page), (QStringList{"orthogonal.net", "3", "4", "4"}));
            QCOMPARE(q.state.NumPatterns, 4);
        } else {
            QCOMPARE(q.state.NumPatterns, 0);
        }
    }
}

void IntroductoryPageTest::exitWhileALargeFileIsRead() {
    Program p;
    WriteLargeFile(p, "large.net");
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    p.DoubleClickFile(QStringLiteral("large.net"));
    QVERIFY(p.Intro()->Reading());
    p.Click(p.Intro()->ExitButton());
    QVERIFY(p.ended);
    QVERIFY(p.manager.LoadedNames().isEmpty());
    p.Settle();
    // The read was abandoned: the earlier file is still the loaded one.
    QCOMPARE(p.state.TrainingFileName, std::string("orthogonal.net"));
    QCOMPARE(p.state.NumInputs, 4);
    QCOMPARE(p.MessageCount(), 0);
}

// The file lists' own rules are the framework's to test; here, that the page's lists are
// chained and report through the program's message boxes.
void IntroductoryPageTest::driveThatCannotBeOpenedLeavesTheLists() {
    Program p;
    const QString gone = p.FolderPath() + QStringLiteral("/not mounted");
    p.drives = FixedDriveSource{{Drive{QStringLiteral("/"), QString()}, Drive{gone, QString()}}};
    Network1Page* page = p.Intro();
    page->DriveListBox()->Refresh();
    page->FolderListBox()->SetPath(p.FolderPath());
    page->DriveListBox()->SetDrive(gone);
    QCOMPARE(page->DriveListBox()->Drive(), QStringLiteral("/"));
    QCOMPARE(page->FileListBox()->Items(),
             (QStringList{"broken.net", "independent.net", "orthogonal.net"}));
    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.startsWith("The drive \"" + gone + "\" cannot be opened."),
             qPrintable(p.LastMessage().text));
}

QTEST_MAIN(IntroductoryPageTest)
#include "IntroductoryPageTest.moc"
