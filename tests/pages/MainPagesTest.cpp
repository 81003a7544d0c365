// The three main pages driven as a user drives them: files, clicks, double-clicks and the
// messages that come back. Dialogs are scripted; nothing needs a screen.
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include "core/PublicStuff.h"
#include "core/TrainingRun.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/ScriptedDialogBackend.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "pages/main/Network1Logic.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "reports/PlotSSEDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"
#include "tests/support/LargeTrainingFile.h"
#include "tests/support/MainPagesSession.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

// 4 inputs, 2 outputs, 3 patterns: Delta at rate 0.2 learns it.
const char* kIndependent = "2, 0, 4, 3\n1, 1, 0, 0\n0, 1, 1, 0\n0, 0, 1, 1\n1, 0\n0, 1\n1, 1\n";
const char* kOrthogonal =
    "3, 0, 4, 4\n0.5, 0.5, 0.5, 0.5\n0.5, -0.5, 0.5, -0.5\n0.5, 0.5, -0.5, -0.5\n"
    "0.5, -0.5, -0.5, 0.5\n1, 0, 0\n0, 1, 0\n0, 0, 1\n1, 1, 1\n";

// A result page the hub may open, standing in for the real ones.
class StandInPage : public Page {
  public:
    StandInPage(PageContext& c, const QString& name) : Page(c, name) {}
};

struct Program : testsupport::MainPagesSession {
    bool ended = false;
    QTemporaryDir folder;

    Program() {
        manager.SetQuitAction([this] { ended = true; });
        // The hub opens the result pages by name; plain pages stand in for them here.
        for (const char* name :
             {ProbeNetworkPage::kName, SaveResultsPage::kName, PlotSSEDataPage::kName})
            manager.RegisterPage(QString::fromLatin1(name), [name](PageContext& c) {
                return std::make_unique<StandInPage>(c, QString::fromLatin1(name));
            });
        Write("independent.net", kIndependent);
        Write("orthogonal.net", kOrthogonal);
        Write("broken.net", "2, 0, 4, 3\n1, 1, 0\n");
        Write("notes.txt", "not a training file");
        manager.Show(QString::fromLatin1(Network1Page::kName));
    }
    // Copies a file of the examples folder into our folder.
    void CopyExample(const char* name) {
        QFile::copy(QStringLiteral(MNEMEX_EXAMPLES_DIR "/") + QString::fromLatin1(name),
                    folder.filePath(QString::fromLatin1(name)));
    }
    void Write(const char* name, const char* text) {
        std::ofstream(folder.filePath(QString::fromLatin1(name)).toStdString()) << text;
    }
    Network1Page* Intro() {
        return manager.FindAs<Network1Page>(QString::fromLatin1(Network1Page::kName));
    }
    TestDAMPage* Hub() {
        return manager.FindAs<TestDAMPage>(QString::fromLatin1(TestDAMPage::kName));
    }
    int MessageCount() const { return static_cast<int>(backend.shown.size()); }
    const ScriptedDialogBackend::Shown& LastMessage() const { return backend.shown.back(); }

    // Double-clicks a file in the introductory page's file list, in our folder.
    void DoubleClickFile(const QString& name) {
        Network1Page* page = Intro();
        page->FolderListBox()->SetPath(folder.path());
        const int row = page->FileListBox()->Items().indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        page->FileListBox()->DoubleClickItem(row);
    }
    // From the start to a setup page with `file` loaded.
    void ToSetup(const QString& file = QStringLiteral("independent.net")) {
        DoubleClickFile(file);
        QTest::mouseClick(Intro()->NextPageButton(), Qt::LeftButton);
        Settle();
        QVERIFY(Setup() != nullptr);
    }
    void Train(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void ToHub() {
        QTest::mouseClick(Setup()->TestRecallButton(), Qt::LeftButton);
        QVERIFY(Hub() != nullptr);
    }
    // The user brings another window to the front and then `page` again.
    void Reactivate(Form* page) {
        const QString other = QStringLiteral("Elsewhere");
        if (!manager.IsRegistered(other))
            manager.RegisterPage(
                other, [other](PageContext& c) { return std::make_unique<StandInPage>(c, other); });
        manager.NotifyActivated(manager.Load(other));
        manager.Unload(other);
        manager.NotifyActivated(page);
        Settle();
    }
    // Lets unloaded pages go.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void DoubleClickItem(ListBox* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void ClickItem(ListBox* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Lets this process map at most about `headroom` bytes more than it has now, as a machine
// short of memory would, until the object goes away.
class LittleMemory {
  public:
    explicit LittleMemory(rlim_t headroom) {
        getrlimit(RLIMIT_AS, &saved_);
        std::ifstream status("/proc/self/status");
        std::string line;
        rlim_t used = 0;
        while (std::getline(status, line))
            if (line.rfind("VmSize:", 0) == 0)
                used = std::stoull(line.substr(7)) * 1024;  // kB
        rlimit limited = saved_;
        limited.rlim_cur = used + headroom;
        ok_ = used > 0 && setrlimit(RLIMIT_AS, &limited) == 0;
    }
    ~LittleMemory() { setrlimit(RLIMIT_AS, &saved_); }
    bool Ok() const { return ok_; }

  private:
    rlimit saved_{};
    bool ok_ = false;
};

// The largest file the counts allow: 32767 inputs and outputs, one pattern (a network of
// 8 GiB of weights).
std::string LargestNetworkFile() {
    std::ostringstream text;
    text << "32767, 0, 32767, 1\n";
    for (int k = 0; k < 2 * 32767; ++k)
        text << (k % 32767 == 32766 ? "0\n" : "0, ");
    return text.str();
}

bool AllWeightsZero(const PublicStuff& s) {
    for (double w : s.Weights.Storage())
        if (w != 0.0)
            return false;
    return true;
}

// Clicks `widget` once the event loop gets to it, i.e. while a run lets the screen catch up.
void ClickDuringRun(QWidget* widget, int afterMs = 30) {
    QTimer::singleShot(afterMs, widget, [widget] { QTest::mouseClick(widget, Qt::LeftButton); });
}

}  // namespace

class MainPagesTest : public QObject {
    Q_OBJECT

  private slots:
    void introductoryPageStartsEmpty();
    void typicalRoad();
    void loadingAFileFillsTheBoxes();
    void unreadableFileKeepsThePreviousOne();
    void largeFileIsReadWhileThePageWaits();
    void refusedLargeFileRestoresThePage();
    void exitWhileALargeFileIsRead();
    void setupPageInitialSettings();
    void validationMessages_data();
    void validationMessages();
    void notANumberGoesThroughTheErrorMessage_data();
    void notANumberGoesThroughTheErrorMessage();
    void continueTrainingAfter100ReachesEpoch200();
    void startTrainingAgainStartsFromZero();
    void slidersAndBoxes();
    void upDownSteps();
    void activationKeepsTrainedNetwork();
    void runThatRoundsToZeroEpochsEnds();
    void divergingRunLeavesThePageUsable();
    void startTrainingWithoutMemoryStopsAtTheMessage();
    void runFailingWithinOneFrameShowsHowFarItGot();
    void activationDuringTheRunIsHandledAfterIt();
    void driveThatCannotBeOpenedOnTheIntroductoryPage();
    void stopButtonEndsAnEndlessRun();
    void escapeEndsARun();
    void otherControlsIgnoredDuringRun();
    void hubStartsClean();
    void hubNothingSelected_data();
    void hubNothingSelected();
    void hubResetWeightsAndTrainAgain();
    void hubKeepWeightsAndContinue();
    void hubNewProblem();
    void hubDoubleClickBelowItemsRunsSelection();
    void hubResultPagesOpenOnce();
    void hubSpreadsheetEntryAsksTheSummaryService();
    void exitPaths();
};

void MainPagesTest::introductoryPageStartsEmpty() {
    Program p;
    Network1Page* page = p.Intro();
    QVERIFY(page != nullptr);
    QCOMPARE(page->windowTitle(), QStringLiteral("Corlan Neural Net Code -- Introductory Form"));
    QCOMPARE(page->InstructionLabel()->text(),
             QStringLiteral("Use \"Double Clicks\" To Choose The File To Train The Network"));
    QVERIFY(page->NextPageButton()->isHidden());
    for (QLineEdit* box : page->FileInfoBoxes())
        QVERIFY(box->isHidden());
    page->FolderListBox()->SetPath(p.folder.path());
    QCOMPARE(page->FileListBox()->Items(),
             (QStringList{"broken.net", "independent.net", "orthogonal.net"}));
}

void MainPagesTest::typicalRoad() {
    Program p;
    p.ToSetup();
    QVERIFY(p.manager.Find(QString::fromLatin1(Network1Page::kName)) ==
            nullptr);  // introductory page gone
    DistMemPage* setup = p.Setup();
    QTest::mouseClick(setup->DeltaOption(), Qt::LeftButton);
    QCOMPARE(p.state.LearningRule, std::string("Delta"));
    p.Train(setup->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSECount, 11);  // epoch 0 and every 10th epoch
    QCOMPARE(setup->TrainingPanels()[0]->Lines(), QStringList{"Training: independent.net"});
    QCOMPARE(setup->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 100"});
    QCOMPARE(setup->TrainingPanels()[2]->Lines(),
             QStringList{QString::fromStdString(TotalSSELine(p.state.TotalSSE))});
    QCOMPARE(setup->TrainingPanels()[2]->BackColor(),
             p.state.TotalSSE < 0.05 ? kPureGreen : kPureRed);
    QCOMPARE(setup->TrainingPanels()[3]->BackColor(), ButtonFaceColor());
    QVERIFY(setup->TestRecallButton()->isVisible() && setup->TestRecallButton()->isEnabled());
    QVERIFY(setup->ContinueTrainingButton()->isVisible());
    QVERIFY(setup->EpochProgressBar()->isHidden());
    QVERIFY(setup->StartTrainingButton()->isVisible() && setup->StopTrainingButton()->isHidden());
    QVERIFY(setup->RateBox()->isEnabled());
    QCOMPARE(p.MessageCount(), 0);

    p.ToHub();
    QVERIFY(p.Setup() != nullptr);               // stays loaded behind the hub
    DoubleClickItem(p.Hub()->ExamineList(), 3);  // "Plot SSE By Sweeps"
    QCOMPARE(p.MessageCount(), 0);
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM", "PlotSSEdata"}));
}

void MainPagesTest::loadingAFileFillsTheBoxes() {
    Program p;
    p.DoubleClickFile(QStringLiteral("independent.net"));
    Network1Page* page = p.Intro();
    QStringList shown;
    for (QLineEdit* box : page->FileInfoBoxes()) {
        // Readable but not editable: read-only, in normal text.
        QVERIFY(box->isVisible() && box->isEnabled() && box->isReadOnly());
        shown << box->text();
    }
    QCOMPARE(shown, (QStringList{"independent.net", "2", "4", "3"}));
    for (QLabel* label : page->FileInfoLabels())
        QVERIFY(label->isVisible());
    QVERIFY(page->NextPageButton()->isVisible());
    QCOMPARE(p.state.TrainingFileName, std::string("independent.net"));

    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    shown.clear();
    for (QLineEdit* box : page->FileInfoBoxes())
        shown << box->text();
    QCOMPARE(shown, (QStringList{"orthogonal.net", "3", "4", "4"}));
}

void MainPagesTest::unreadableFileKeepsThePreviousOne() {
    Program p;
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    p.DoubleClickFile(QStringLiteral("broken.net"));
    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.contains("broken.net"), qPrintable(p.LastMessage().text));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.Intro()->FileInfoBoxes()[0]->text(), QStringLiteral("orthogonal.net"));
    QCOMPARE(p.state.TrainingFileName, std::string("orthogonal.net"));
    QCOMPARE(p.state.NumPatterns, 4);
    QVERIFY(p.Intro()->NextPageButton()->isVisible());

    // A failure on a fresh page leaves it without the information block.
    Program q;
    q.DoubleClickFile(QStringLiteral("broken.net"));
    QCOMPARE(q.MessageCount(), 1);
    QVERIFY(q.Intro()->NextPageButton()->isHidden());
}

namespace {

// About 6 MB: read in the background. `lastValue` replaces the file's last value.
void WriteLargeFile(Program& p, const char* name, const std::string& lastValue = {}) {
    const long long size = testsupport::WriteLargeTrainingFile(
        p.folder.filePath(QString::fromLatin1(name)).toStdString(), 700, 30, 800, lastValue);
    QVERIFY(size > kBackgroundReadBytes);
}

QStringList BoxTexts(Network1Page* page) {
    QStringList shown;
    for (QLineEdit* box : page->FileInfoBoxes())
        shown << box->text();
    return shown;
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

void MainPagesTest::largeFileIsReadWhileThePageWaits() {
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
    QCOMPARE(p.state.NumInputs, 4);

    QTRY_VERIFY_WITH_TIMEOUT(!page->Reading(), 60000);
    ExpectWaiting(page, false);
    QCOMPARE(BoxTexts(page), (QStringList{"large.net", "30", "700", "800"}));
    QCOMPARE(p.state.TrainingFileName, std::string("large.net"));
    PublicStuff onTheSpot;
    QVERIFY(LoadChosenFile(onTheSpot, p.folder.path().toStdString(), "large.net").Loaded);
    QVERIFY(onTheSpot.InputPatterns.Storage() == p.state.InputPatterns.Storage());
    QVERIFY(onTheSpot.DesiredOutputs.Storage() == p.state.DesiredOutputs.Storage());
    QCOMPARE(p.MessageCount(), 0);

    // The new file goes on to the setup page like any other.
    QTest::mouseClick(page->NextPageButton(), Qt::LeftButton);
    p.Settle();
    QVERIFY(p.Setup() != nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));
}

void MainPagesTest::refusedLargeFileRestoresThePage() {
    for (const bool earlierFile : {true, false}) {
        Program q;
        WriteLargeFile(q, "refused.net", "1.5.2");
        PublicStuff scratch;
        const FileChoice expected =
            LoadChosenFile(scratch, q.folder.path().toStdString(), "refused.net");
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
            QCOMPARE(q.state.TrainingFileName, std::string("orthogonal.net"));
            QCOMPARE(q.state.NumPatterns, 4);
        } else {
            QCOMPARE(q.state.NumPatterns, 0);
        }
    }
}

void MainPagesTest::exitWhileALargeFileIsRead() {
    Program p;
    WriteLargeFile(p, "large.net");
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    p.DoubleClickFile(QStringLiteral("large.net"));
    QVERIFY(p.Intro()->Reading());
    QTest::mouseClick(p.Intro()->ExitButton(), Qt::LeftButton);
    QVERIFY(p.ended);
    QVERIFY(p.manager.LoadedNames().isEmpty());
    p.Settle();
    // The read was abandoned: the earlier file is still the loaded one.
    QCOMPARE(p.state.TrainingFileName, std::string("orthogonal.net"));
    QCOMPARE(p.state.NumInputs, 4);
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::setupPageInitialSettings() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QCOMPARE(s->windowTitle(),
             QStringLiteral("Distributed Memory Setup Page -- Corlan Neural Network Code"));
    QVERIFY(s->HebbOption()->isChecked() && !s->DeltaOption()->isChecked());
    QCOMPARE(p.state.LearningRule, std::string("Hebb"));
    QVERIFY(s->StopCheckBoxes()[0]->isChecked() && !s->StopCheckBoxes()[1]->isChecked());
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(s->PrintEpochsBox()->text(), QStringLiteral("10"));
    QCOMPARE(s->RateBox()->text(), QStringLiteral("0.10"));
    QCOMPARE(s->MinimumErrorBox()->text(), QStringLiteral("0.05"));
    QCOMPARE(s->RateSlider()->Value(), 10);
    QCOMPARE(s->MinimumErrorSlider()->Value(), 5);
    QCOMPARE(s->MinimumErrorLabel()->text(),
             QStringLiteral("Set The Minimum Level Of Error (SSE)  To Stop Training"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             s->ContinueTrainingButton(), s->TestRecallButton(), s->EpochProgressBar(),
             s->TrainingPanels()[0], s->TrainingPanels()[3]})
        QVERIFY(hidden->isHidden());
    QCOMPARE(p.state.Weights.NumInputs(), 4);
    QCOMPARE(p.state.Weights.NumOutputs(), 2);
}

void MainPagesTest::validationMessages_data() {
    QTest::addColumn<bool>("epochTest");
    QTest::addColumn<bool>("errorTest");
    QTest::addColumn<QString>("epochs");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("epochsAfter");
    QTest::addColumn<QString>("rateAfter");
    QTest::addColumn<bool>("bothTicked");
    QTest::newRow("zero epochs") << true << false << "0"
                                 << "0.10"
                                 << "Maximum Epochs"
                                 << "Maximum number of training epochs must be greater than zero."
                                 << "1"
                                 << "0.10" << false;
    QTest::newRow("negative epochs")
        << true << true << "-5"
        << "0.10"
        << "Maximum Epochs"
        << "Maximum number of training epochs must be greater than zero."
        << "1"
        << "0.10" << true;
    QTest::newRow("no stopping test")
        << false << false << "100"
        << "0.10"
        << "No stopping method set"
        << "At least one box for method of ending training must be checked."
        << "100"
        << "0.10" << true;
    QTest::newRow("negative rate") << true << false << "100"
                                   << "-0.1"
                                   << "Learning Rate"
                                   << "Learning rate cannot be negative"
                                   << "100"
                                   << "0.10" << false;
}

void MainPagesTest::validationMessages() {
    QFETCH(bool, epochTest);
    QFETCH(bool, errorTest);
    QFETCH(QString, epochs);
    QFETCH(QString, rate);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, epochsAfter);
    QFETCH(QString, rateAfter);
    QFETCH(bool, bothTicked);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->StopCheckBoxes()[0]->setChecked(epochTest);
    s->StopCheckBoxes()[1]->setChecked(errorTest);
    s->MaxEpochsBox()->setText(epochs);
    s->RateBox()->setText(rate);
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().title, title);
    QCOMPARE(p.LastMessage().text, message);
    QCOMPARE(p.LastMessage().style, MsgStyle::OkWarning);
    QCOMPARE(s->MaxEpochsBox()->text(), epochsAfter);
    QCOMPARE(s->RateBox()->text(), rateAfter);
    QCOMPARE(s->StopCheckBoxes()[0]->isChecked() && s->StopCheckBoxes()[1]->isChecked(),
             bothTicked);
    QCOMPARE(p.state.EpochCount, 0);  // nothing trained
    QVERIFY(s->TrainingPanels()[1]->isHidden());
    QVERIFY(s->MaxEpochsBox()->isEnabled());
    if (title == "Learning Rate")
        QCOMPARE(p.state.LearningRate, 0.1);
}

void MainPagesTest::notANumberGoesThroughTheErrorMessage_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("rate letters") << "LRateBox"
                                  << "fast"
                                  << "Type mismatch";
    QTest::newRow("rate decimal comma") << "LRateBox"
                                        << "0,5"
                                        << "Type mismatch";
    QTest::newRow("rate nan") << "LRateBox"
                              << "nan"
                              << "Type mismatch";
    QTest::newRow("epochs grouped") << "SweepsBox"
                                    << "1,000"
                                    << "Type mismatch";
    QTest::newRow("epochs partly") << "SweepsBox"
                                   << "100x"
                                   << "Type mismatch";
    QTest::newRow("epochs huge") << "SweepsBox"
                                 << "1e300"
                                 << "Overflow";
    QTest::newRow("printout empty") << "PrintSweepsBox"
                                    << ""
                                    << "Type mismatch";
    QTest::newRow("printout huge") << "PrintSweepsBox"
                                   << "99999999999"
                                   << "Overflow";
    QTest::newRow("error inf") << "MinErrorBox"
                               << "inf"
                               << "Type mismatch";
}

void MainPagesTest::notANumberGoesThroughTheErrorMessage() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QLineEdit* edit = s->findChild<QLineEdit*>(box);
    edit->setText(text);
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 1);
    const QString shown = p.LastMessage().text;
    QVERIFY2(shown.startsWith("This version of the code has encountered an error.\n"),
             qPrintable(shown));
    QVERIFY2(shown.contains(reason), qPrintable(shown));
    // The student is taken to the box that could not be read, its text ready to retype.
    QCOMPARE(s->focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.state.EpochCount, 0);
    QVERIFY(s->MaxEpochsBox()->isEnabled());
    // The page carries on: activation with that text does not fail either.
    p.Reactivate(s);
    QCOMPARE(s->RateSlider()->Value(), 10);  // a box that is not a number leaves its slider
    QVERIFY(s->RateBox()->isEnabled());
}

void MainPagesTest::continueTrainingAfter100ReachesEpoch200() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->DeltaOption(), Qt::LeftButton);
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    const std::vector<double> after100 = p.state.Weights.Storage();
    p.Train(s->ContinueTrainingButton());
    QCOMPARE(p.state.EpochCount, 200);
    QCOMPARE(p.state.MaxEpochs, 200);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.SSECount, 21);
    QCOMPARE(p.state.SSEHistory[21][1], 200.0);
    QVERIFY(p.state.Weights.Storage() != after100);
    QCOMPARE(s->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 200"});
    QCOMPARE(s->TrainingPanels()[0]->Lines(), QStringList{"Training: independent.net"});
}

void MainPagesTest::startTrainingAgainStartsFromZero() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    const double firstRow = p.state.SSEHistory[1][2];
    const std::vector<double> weights = p.state.Weights.Storage();
    p.Train(s->ContinueTrainingButton());
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][2], firstRow);
    QCOMPARE(p.state.Weights.Storage(), weights);  // same file, same settings, same weights
}

void MainPagesTest::slidersAndBoxes() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->RateSlider()->UserMoveTo(37);
    QCOMPARE(s->RateBox()->text(), QStringLiteral("0.37"));
    s->RateSlider()->UserMoveTo(150);
    QCOMPARE(s->RateBox()->text(), QStringLiteral("1.5"));
    s->MinimumErrorSlider()->SetValue(20);
    s->MinimumErrorSlider()->UserClick();
    QCOMPARE(s->MinimumErrorBox()->text(), QStringLiteral("0.2"));

    // Typing moves the slider only at the next activation; odd texts leave it or clamp it.
    s->RateBox()->setText(QStringLiteral("0.5"));
    s->MinimumErrorBox()->setText(QString());
    QCOMPARE(s->RateSlider()->Value(), 150);
    p.Reactivate(s);
    QCOMPARE(s->RateSlider()->Value(), 50);
    QCOMPARE(s->MinimumErrorSlider()->Value(), 20);  // emptied box: slider stays
    s->RateBox()->setText(QStringLiteral("7"));
    s->MinimumErrorBox()->setText(QStringLiteral("abc"));
    p.Reactivate(s);
    QCOMPARE(s->RateSlider()->Value(), 200);
    QCOMPARE(s->MinimumErrorSlider()->Value(), 20);
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::upDownSteps() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->MaxEpochsUpDown()->StepUp();
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("110"));
    s->PrintEpochsUpDown()->StepDown();
    QCOMPARE(s->PrintEpochsBox()->text(), QStringLiteral("0"));
    s->PrintEpochsUpDown()->StepDown();
    QCOMPARE(s->PrintEpochsBox()->text(), QStringLiteral("0"));
    s->MaxEpochsBox()->setText(QStringLiteral("49995"));
    s->MaxEpochsUpDown()->StepUp();
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("50000"));
}

void MainPagesTest::activationKeepsTrainedNetwork() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->DeltaOption(), Qt::LeftButton);
    p.Train(s->StartTrainingButton());
    QVERIFY(!AllWeightsZero(p.state));
    const std::vector<double> trained = p.state.Weights.Storage();
    p.ToHub();
    // The user clicks the setup page while the hub is open, then the hub again.
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
    QVERIFY(s->TrainingPanels()[1]->isVisible());
    p.manager.NotifyActivated(p.Hub());
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
    // Continue then carries on from the trained weights.
    const double before = p.state.TotalSSE;
    p.Train(s->ContinueTrainingButton());
    QCOMPARE(p.state.EpochCount, 200);
    QVERIFY(p.state.TotalSSE <= before);
}

void MainPagesTest::runThatRoundsToZeroEpochsEnds() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->MaxEpochsBox()->setText(QStringLiteral("0.4"));  // above zero, rounds to 0 epochs
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 0);
    QCOMPARE(p.state.EpochCount, 1);
    QVERIFY(s->TestRecallButton()->isVisible());
    QVERIFY(!s->Training());
}

void MainPagesTest::divergingRunLeavesThePageUsable() {
    Program p;
    p.CopyExample("letters.net");
    p.ToSetup(QStringLiteral("letters.net"));
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->DeltaOption(), Qt::LeftButton);
    s->RateSlider()->UserMoveTo(150);
    QCOMPARE(s->RateBox()->text(), QStringLiteral("1.5"));
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.startsWith("This version of the code has encountered an error."),
             qPrintable(p.LastMessage().text));
    QVERIFY(p.state.EpochCount < 100);  // the run stopped where the weights overflowed
    // After the message the student can change the settings and start again.
    for (QWidget* entry : std::initializer_list<QWidget*>{
             s->StopCheckBoxes()[0], s->StopCheckBoxes()[1], s->HebbOption(), s->DeltaOption(),
             s->MaxEpochsBox(), s->MaxEpochsUpDown(), s->PrintEpochsBox(), s->PrintEpochsUpDown(),
             s->RateBox(), s->RateSlider(), s->MinimumErrorBox(), s->MinimumErrorSlider()})
        QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
    QVERIFY(s->EpochProgressBar()->isHidden());
    QVERIFY(s->TestRecallButton()->isHidden() && s->ContinueTrainingButton()->isHidden());
    QVERIFY(s->StartTrainingButton()->isVisible());

    s->RateSlider()->UserMoveTo(10);
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.state.EpochCount, 100);
    QVERIFY(s->TestRecallButton()->isVisible() && s->ContinueTrainingButton()->isVisible());
}

// A network that does not fit: each press of Start Training says so once, and nothing is
// trained (before, the run went on and failed again with "Subscript out of range").
void MainPagesTest::startTrainingWithoutMemoryStopsAtTheMessage() {
    if (kAddressSanitizer)
        QSKIP("the sanitizer's shadow memory needs the address space");
    const std::string outOfMemory =
        "Out of memory error: \nPlease try closing some applications and retrying.\n";
    Program p;
    {
        std::ofstream(p.folder.filePath(QStringLiteral("huge.net")).toStdString())
            << LargestNetworkFile();
    }
    LittleMemory little(rlim_t(1) << 30);
    QVERIFY(little.Ok());
    p.DoubleClickFile(QStringLiteral("huge.net"));
    QCOMPARE(p.MessageCount(), 0);
    QTest::mouseClick(p.Intro()->NextPageButton(), Qt::LeftButton);
    p.Settle();
    DistMemPage* s = p.Setup();
    QVERIFY(s != nullptr);
    // The page's own allocation already said so, once.
    const int onArrival = p.MessageCount();
    QCOMPARE(onArrival, 1);
    for (const auto& shown : p.backend.shown)
        QCOMPARE(shown.text.toStdString(), outOfMemory);

    for (int press = 1; press <= 2; ++press) {
        p.Train(s->StartTrainingButton());
        QCOMPARE(p.MessageCount(), onArrival + press);
        QCOMPARE(p.LastMessage().text.toStdString(), outOfMemory);
        QCOMPARE(p.state.EpochCount, 0);
        QVERIFY(s->StartTrainingButton()->isVisible() && s->StartTrainingButton()->isEnabled());
        QVERIFY(s->RateBox()->isEnabled() && s->StopCheckBoxes()[0]->isEnabled());
        QVERIFY(s->TestRecallButton()->isHidden() && s->EpochProgressBar()->isHidden());
        QVERIFY(!s->Training());
    }
    QTest::mouseClick(s->ExitButton(), Qt::LeftButton);
    QVERIFY(p.ended);
}

// Delta at a huge rate overflows within a few microseconds, long before the first frame: the
// panels still show the last printout and the bar the epochs run, behind the error message.
void MainPagesTest::runFailingWithinOneFrameShowsHowFarItGot() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    // A first, normal run leaves its lines on the panels.
    p.Train(s->StartTrainingButton());
    QCOMPARE(s->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 100"});

    QTest::mouseClick(s->DeltaOption(), Qt::LeftButton);
    s->RateBox()->setText(QStringLiteral("150"));
    s->PrintEpochsBox()->setText(QStringLiteral("1"));
    s->MaxEpochsBox()->setText(QStringLiteral("5000"));
    QStringList epochsBehind, totalBehind;
    int progressBehind = -1;
    p.backend.whileShown = [&](const ScriptedDialogBackend::Shown&) {
        epochsBehind = s->TrainingPanels()[1]->Lines();
        totalBehind = s->TrainingPanels()[2]->Lines();
        progressBehind = s->EpochProgressBar()->value();
    };
    p.Train(s->StartTrainingButton());
    p.backend.whileShown = nullptr;

    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.contains("Overflow"), qPrintable(p.LastMessage().text));
    const int failedIn = p.state.EpochCount;
    QVERIFY(failedIn > 2 && failedIn < 5000);
    // The last printout is the last history row: the epoch before the one that overflowed.
    const auto last = static_cast<std::size_t>(p.state.SSECount);
    QCOMPARE(p.state.SSEHistory[last][1], double(failedIn - 1));
    QCOMPARE(epochsBehind, QStringList{QString::fromStdString(EpochsLine(failedIn - 1))});
    QCOMPARE(totalBehind,
             QStringList{QString::fromStdString(TotalSSELine(p.state.SSEHistory[last][2]))});
    QCOMPARE(progressBehind, failedIn);
    QCOMPARE(s->TrainingPanels()[1]->Lines(), epochsBehind);
}

// The user flicks to the hub and back while a run ends: the setup page's activation (which
// moves the sliders to their boxes) is not lost but handled once the run is over.
void MainPagesTest::activationDuringTheRunIsHandledAfterIt() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    p.ToHub();
    p.manager.NotifyActivated(s);
    QCOMPARE(s->RateSlider()->Value(), 10);
    s->RateBox()->setText(QStringLiteral("0.5"));
    bool arrivedDuringRun = false;
    QMetaObject::invokeMethod(
        s,
        [&] {
            arrivedDuringRun = s->Training();
            p.manager.NotifyActivated(p.Hub());
            p.manager.NotifyActivated(s);
        },
        Qt::QueuedConnection);
    p.Train(s->StartTrainingButton());
    QVERIFY(arrivedDuringRun);
    QVERIFY(!s->Training());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(s->RateSlider()->Value(), 50);
    QVERIFY(s->TestRecallButton()->isVisible() && s->RateBox()->isEnabled());
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::driveThatCannotBeOpenedOnTheIntroductoryPage() {
    Program p;
    const QString gone = p.folder.path() + QStringLiteral("/not mounted");
    p.drives = FixedDriveSource{{Drive{QStringLiteral("/"), QString()}, Drive{gone, QString()}}};
    Network1Page* page = p.Intro();
    page->DriveListBox()->Refresh();
    page->FolderListBox()->SetPath(p.folder.path());
    page->DriveListBox()->SetDrive(gone);
    QCOMPARE(page->DriveListBox()->Drive(), QStringLiteral("/"));
    QCOMPARE(page->FolderListBox()->Path(), p.folder.path());
    QCOMPARE(page->FileListBox()->Items(),
             (QStringList{"broken.net", "independent.net", "orthogonal.net"}));
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text, "The drive \"" + gone +
                                       "\" cannot be opened.\nThe lists stay on \"" +
                                       p.folder.path() + "\".");
}

void MainPagesTest::stopButtonEndsAnEndlessRun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    // Only the error test, and a rate of 0: the error never falls.
    s->StopCheckBoxes()[0]->setChecked(false);
    s->StopCheckBoxes()[1]->setChecked(true);
    s->RateBox()->setText(QStringLiteral("0"));
    s->PrintEpochsBox()->setText(QStringLiteral("1"));
    bool stopShownDuringRun = false;
    QTimer::singleShot(20, s, [&] {
        stopShownDuringRun =
            s->StopTrainingButton()->isVisible() && s->StartTrainingButton()->isHidden();
    });
    ClickDuringRun(s->StopTrainingButton(), 60);
    p.Train(s->StartTrainingButton());
    QVERIFY(stopShownDuringRun);
    QVERIFY(p.state.EpochCount > 1);
    QCOMPARE(s->TrainingPanels()[1]->Lines(),
             QStringList{QString::fromStdString(EpochsLine(p.state.EpochCount))});
    QCOMPARE(s->TrainingPanels()[2]->BackColor(), kPureRed);
    QVERIFY(s->TestRecallButton()->isVisible() && s->ContinueTrainingButton()->isVisible());
    QVERIFY(s->StartTrainingButton()->isVisible() && s->StopTrainingButton()->isHidden());
    QVERIFY(s->RateBox()->isEnabled());
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::escapeEndsARun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->StopCheckBoxes()[0]->setChecked(false);
    s->StopCheckBoxes()[1]->setChecked(true);
    s->RateBox()->setText(QStringLiteral("0"));
    QTimer::singleShot(40, s, [s] { QTest::keyClick(s->RateBox(), Qt::Key_Escape); });
    p.Train(s->StartTrainingButton());
    QVERIFY(p.state.EpochCount > 1);
    QVERIFY(s->TestRecallButton()->isVisible());
}

void MainPagesTest::otherControlsIgnoredDuringRun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    p.ToHub();
    p.manager.NotifyActivated(s);
    s->StopCheckBoxes()[0]->setChecked(false);
    s->StopCheckBoxes()[1]->setChecked(true);
    s->RateBox()->setText(QStringLiteral("0"));
    // While the run goes on: Exit, the hub's list and a box are clicked, keys typed; then Stop.
    ClickDuringRun(s->ExitButton(), 20);
    QTimer::singleShot(30, s, [&] {
        DoubleClickItem(p.Hub()->ContinuingList(), 2);
        QTest::keyClicks(s->MaxEpochsBox(), "999");
    });
    ClickDuringRun(s->StopTrainingButton(), 60);
    p.Train(s->StartTrainingButton());
    QVERIFY(!p.ended);
    QVERIFY(p.Hub() != nullptr);
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(p.MessageCount(), 0);
    // After the run the page answers again.
    QTest::mouseClick(s->ExitButton(), Qt::LeftButton);
    QVERIFY(p.ended);
}

void MainPagesTest::hubStartsClean() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTrainingButton());
    p.ToHub();
    TestDAMPage* hub = p.Hub();
    QCOMPARE(hub->windowTitle(),
             QStringLiteral("Testing The Distributed Associative Memory -- Corlan Neural "
                            "Network Code"));
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    QCOMPARE(hub->FeedbackLine()->text(), QString());
    QCOMPARE(hub->ExamineList()->ListIndex(), -1);
    QCOMPARE(hub->ContinuingList()->ListIndex(), -1);
    QCOMPARE(hub->ExamineList()->count(), 5);
    QCOMPARE(hub->ContinuingList()->item(2)->text(),
             QStringLiteral("Train A New Network On A New Problem"));
}

void MainPagesTest::hubNothingSelected_data() {
    QTest::addColumn<bool>("upperList");
    QTest::newRow("examining list") << true;
    QTest::newRow("continuing list") << false;
}

void MainPagesTest::hubNothingSelected() {
    QFETCH(bool, upperList);
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTrainingButton());
    p.ToHub();
    ListBox* list = upperList ? p.Hub()->ExamineList() : p.Hub()->ContinuingList();
    const QPoint below(5, list->height() - 5);
    if (list->indexAt(below).isValid())
        emit list->DblClick();  // a full list has no empty area left to double-click
    else
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text, QStringLiteral("No method for continuing has been selected!"));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
}

void MainPagesTest::hubResetWeightsAndTrainAgain() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    p.ToHub();
    DoubleClickItem(p.Hub()->ContinuingList(), 0);
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));
    QVERIFY(AllWeightsZero(p.state));
    QVERIFY(s->TrainingPanels()[1]->isHidden());
    QVERIFY(s->ContinueTrainingButton()->isVisible());  // still offered
    p.Train(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][1], 0.0);
}

void MainPagesTest::hubKeepWeightsAndContinue() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    const std::vector<double> trained = p.state.Weights.Storage();
    const std::int16_t rows = p.state.SSECount;
    p.ToHub();
    DoubleClickItem(p.Hub()->ContinuingList(), 1);
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.Weights.Storage(), trained);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSECount, rows);
    p.Train(s->ContinueTrainingButton());
    QCOMPARE(p.state.EpochCount, 200);
}

void MainPagesTest::hubNewProblem() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTrainingButton());
    p.ToHub();
    p.manager.RegisterPage(QString::fromLatin1(ProbeNetworkPage::kName), [](PageContext& c) {
        return std::make_unique<StandInPage>(c, QString::fromLatin1(ProbeNetworkPage::kName));
    });
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ContinuingList(), 2);
    p.Settle();
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"ProbeNetwork", "Network1"}));
    Network1Page* intro = p.Intro();
    QVERIFY(intro->NextPageButton()->isHidden());  // fresh page, though a file is still loaded
    QVERIFY(intro->FileInfoBoxes()[0]->isHidden());
    QCOMPARE(p.state.NumPatterns, 3);
    // Onward to a fresh setup page: initial settings and zero weights again.
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    QTest::mouseClick(intro->NextPageButton(), Qt::LeftButton);
    p.Settle();
    QCOMPARE(p.Setup()->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(p.state.Weights.NumOutputs(), 3);
    QVERIFY(AllWeightsZero(p.state));
}

void MainPagesTest::hubDoubleClickBelowItemsRunsSelection() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTrainingButton());
    const std::vector<double> trained = p.state.Weights.Storage();
    p.ToHub();
    ListBox* list = p.Hub()->ContinuingList();
    ClickItem(list, 1);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));  // a single click runs nothing
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 3));
    QCOMPARE(list->ListIndex(), 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 3));
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.Weights.Storage(), trained);
}

void MainPagesTest::hubResultPagesOpenOnce() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTrainingButton());
    p.ToHub();
    int created = 0;
    for (const char* name :
         {ProbeNetworkPage::kName, SaveResultsPage::kName, PlotSSEDataPage::kName}) {
        p.manager.RegisterPage(QString::fromLatin1(name), [name, &created](PageContext& c) {
            ++created;
            return std::make_unique<StandInPage>(c, QString::fromLatin1(name));
        });
    }
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ExamineList(), 2);
    DoubleClickItem(p.Hub()->ExamineList(), 3);
    QCOMPARE(created, 3);
    QCOMPARE(p.manager.LoadedNames(),
             (QStringList{"DistMem", "TestDAM", "ProbeNetwork", "SaveResults", "PlotSSEdata"}));
    QCOMPARE(p.Hub()->ExamineList()->ListIndex(), 3);  // selection left as it was
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::hubSpreadsheetEntryAsksTheSummaryService() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTrainingButton());
    p.ToHub();
    TestDAMPage* hub = p.Hub();
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    QCOMPARE(hub->FeedbackLine()->text(), QString());

    int patternsSeen = 0;
    QStringList captionsWhileBuilding;
    p.summary.OnBuild = [&](PublicStuff& state, SummaryFeedback& feedback) {
        patternsSeen = state.NumPatterns;
        feedback.SetProgressRange(0, 7);
        feedback.SetProgressVisible(true);
        feedback.SetFeedbackCaption("Building sheet 1");
        feedback.SetProgressValue(3);
        feedback.SetProgressValue(feedback.ProgressValue() + 1);
        captionsWhileBuilding << hub->FeedbackLine()->text();
        QVERIFY(hub->SummaryProgressBar()->isVisible());
        QCOMPARE(hub->SummaryProgressBar()->value(), 4);
        QCOMPARE(hub->SummaryProgressBar()->maximum(), 7);
        feedback.ShowMessage("Line one\rline two");
        feedback.SetProgressVisible(false);
    };
    DoubleClickItem(hub->ExamineList(), 1);
    QCOMPARE(p.summary.Builds, 1);
    QCOMPARE(patternsSeen, 3);
    QCOMPARE(captionsWhileBuilding, QStringList{"Building sheet 1"});
    QCOMPARE(hub->FeedbackLine()->text(), QString());
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    // The build's messages are the program's OK-only boxes.
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text, QStringLiteral("Line one\nline two"));
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);

    // A build that stops half-way (it has shown its own message) leaves no waiting line
    // and no bar behind: the hub is ready for the next choice.
    p.summary.OnBuild = [](PublicStuff&, SummaryFeedback& feedback) {
        feedback.SetFeedbackCaption("Please be patient while the spreadsheet is built...");
        feedback.SetProgressRange(0, 21);
        feedback.SetProgressValue(9);
        feedback.SetProgressVisible(true);
    };
    DoubleClickItem(hub->ExamineList(), 1);
    QCOMPARE(hub->FeedbackLine()->text(), QString());
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    QVERIFY(p.Hub() != nullptr);
}

void MainPagesTest::exitPaths() {
    {
        Program p;  // introductory page's Exit
        QTest::mouseClick(p.Intro()->ExitButton(), Qt::LeftButton);
        QVERIFY(p.ended);
        QVERIFY(p.manager.LoadedNames().isEmpty());
    }
    {
        Program p;  // setup page's Exit, with the hub open
        p.ToSetup();
        p.Train(p.Setup()->StartTrainingButton());
        p.ToHub();
        QTest::mouseClick(p.Setup()->ExitButton(), Qt::LeftButton);
        QVERIFY(p.ended);
        QVERIFY(p.manager.LoadedNames().isEmpty());
    }
    {
        Program p;  // hub's Exit Program: hub and setup page go, the program ends
        p.ToSetup();
        p.Train(p.Setup()->StartTrainingButton());
        p.ToHub();
        QTest::mouseClick(p.Hub()->ExitButton(), Qt::LeftButton);
        QVERIFY(p.manager.LoadedNames().isEmpty());
        QVERIFY(p.ended);
    }
    {
        Program p;  // hub's Exit Program with a result page open: that page stays
        p.ToSetup();
        p.Train(p.Setup()->StartTrainingButton());
        p.ToHub();
        p.manager.RegisterPage(QString::fromLatin1(ProbeNetworkPage::kName), [](PageContext& c) {
            return std::make_unique<StandInPage>(c, QString::fromLatin1(ProbeNetworkPage::kName));
        });
        DoubleClickItem(p.Hub()->ExamineList(), 0);
        QTest::mouseClick(p.Hub()->ExitButton(), Qt::LeftButton);
        QCOMPARE(p.manager.LoadedNames(), QStringList{"ProbeNetwork"});
        QVERIFY(!p.ended);
    }
}

QTEST_MAIN(MainPagesTest)
#include "MainPagesTest.moc"
