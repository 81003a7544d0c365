// The three main pages driven as a user drives them: files, clicks, double-clicks and the
// messages that come back. Dialogs are scripted; nothing needs a screen.
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

#include "core/PublicStuff.h"
#include "core/TrainingRun.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/ScriptedDialogBackend.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "pages/main/Network1Page.h"
#include "pages/main/SpreadsheetHook.h"
#include "pages/main/TestDAMPage.h"

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

struct Program {
    PublicStuff state;
    ScriptedDialogBackend backend;
    Dialogs dialogs{backend, QStringLiteral("Mnemex")};
    FixedDriveSource drives{{Drive{QStringLiteral("/"), QString()}}};
    PlatformServices services{dialogs, drives};
    PageManager manager{state, services};
    bool ended = false;
    QTemporaryDir folder;

    Program() {
        manager.SetQuitAction([this] { ended = true; });
        RegisterMainPages(manager);
        Write("independent.net", kIndependent);
        Write("orthogonal.net", kOrthogonal);
        Write("broken.net", "2, 0, 4, 3\n1, 1, 0\n");
        Write("notes.txt", "not a training file");
        manager.Show(QStringLiteral("Network1"));
    }
    // Copies a file of the examples folder into our folder.
    void CopyExample(const char* name) {
        QFile::copy(QStringLiteral(MNEMEX_EXAMPLES_DIR "/") + QString::fromLatin1(name),
                    folder.filePath(QString::fromLatin1(name)));
    }
    void Write(const char* name, const char* text) {
        std::ofstream(folder.filePath(QString::fromLatin1(name)).toStdString()) << text;
    }
    Network1Page* Intro() { return manager.FindAs<Network1Page>(QStringLiteral("Network1")); }
    DistMemPage* Setup() { return manager.FindAs<DistMemPage>(QStringLiteral("DistMem")); }
    TestDAMPage* Hub() { return manager.FindAs<TestDAMPage>(QStringLiteral("TestDAM")); }
    int MessageCount() const { return static_cast<int>(backend.shown.size()); }
    const ScriptedDialogBackend::Shown& LastMessage() const { return backend.shown.back(); }

    // Double-clicks a file in the introductory page's file list, in our folder.
    void DoubleClickFile(const QString& name) {
        Network1Page* page = Intro();
        page->Dir1->SetPath(folder.path());
        const int row = page->File1->Items().indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        page->File1->DoubleClickItem(row);
    }
    // From the start to a setup page with `file` loaded.
    void ToSetup(const QString& file = QStringLiteral("independent.net")) {
        DoubleClickFile(file);
        QTest::mouseClick(Intro()->NextPage, Qt::LeftButton);
        Settle();
        QVERIFY(Setup() != nullptr);
    }
    void Train(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void ToHub() {
        QTest::mouseClick(Setup()->TestRecall, Qt::LeftButton);
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
    void cleanup() { SetSpreadsheetSummaryHook({}); }
    void introductoryPageStartsEmpty();
    void typicalRoad();
    void loadingAFileFillsTheBoxes();
    void unreadableFileKeepsThePreviousOne();
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
    void hubResultPagesOpenOnceWhenPresent();
    void hubSpreadsheetEntryUsesHook();
    void exitPaths();
};

void MainPagesTest::introductoryPageStartsEmpty() {
    Program p;
    Network1Page* page = p.Intro();
    QVERIFY(page != nullptr);
    QCOMPARE(page->windowTitle(), QStringLiteral("Corlan Neural Net Code -- Introductory Form"));
    QCOMPARE(page->FileLabel->text(),
             QStringLiteral("Use \"Double Clicks\" To Choose The File To Train The Network"));
    QVERIFY(page->NextPage->isHidden());
    for (QLineEdit* box : page->OutputText)
        QVERIFY(box->isHidden());
    page->Dir1->SetPath(p.folder.path());
    QCOMPARE(page->File1->Items(),
             (QStringList{"broken.net", "independent.net", "orthogonal.net"}));
}

void MainPagesTest::typicalRoad() {
    Program p;
    p.ToSetup();
    QVERIFY(p.manager.Find(QStringLiteral("Network1")) == nullptr);  // introductory page gone
    DistMemPage* setup = p.Setup();
    QTest::mouseClick(setup->OptionDelta, Qt::LeftButton);
    QCOMPARE(p.state.LearningRule, std::string("Delta"));
    p.Train(setup->StartTraining);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSECount, 11);  // epoch 0 and every 10th epoch
    QCOMPARE(setup->Picture1[0]->Lines(), QStringList{"Training: independent.net"});
    QCOMPARE(setup->Picture1[1]->Lines(), QStringList{"Epochs: 100"});
    QCOMPARE(setup->Picture1[2]->Lines(),
             QStringList{QString::fromStdString(TotalSSELine(p.state.TotalSSE))});
    QCOMPARE(setup->Picture1[2]->BackColor(), p.state.TotalSSE < 0.05 ? kPureGreen : kPureRed);
    QCOMPARE(setup->Picture1[3]->BackColor(), ButtonFaceColor());
    QVERIFY(setup->TestRecall->isVisible() && setup->TestRecall->isEnabled());
    QVERIFY(setup->Continue->isVisible());
    QVERIFY(setup->EpochProgress->isHidden());
    QVERIFY(setup->StartTraining->isVisible() && setup->StopTraining->isHidden());
    QVERIFY(setup->LRateBox->isEnabled());
    QCOMPARE(p.MessageCount(), 0);

    p.ToHub();
    QVERIFY(p.Setup() != nullptr);  // stays loaded behind the hub
    // No chart page in this program: the entry does nothing, silently.
    DoubleClickItem(p.Hub()->TestList, 3);
    QCOMPARE(p.MessageCount(), 0);
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
}

void MainPagesTest::loadingAFileFillsTheBoxes() {
    Program p;
    p.DoubleClickFile(QStringLiteral("independent.net"));
    Network1Page* page = p.Intro();
    QStringList shown;
    for (QLineEdit* box : page->OutputText) {
        QVERIFY(box->isVisible() && !box->isEnabled());
        shown << box->text();
    }
    QCOMPARE(shown, (QStringList{"independent.net", "2", "4", "3"}));
    for (QLabel* label : page->Label8)
        QVERIFY(label->isVisible());
    QVERIFY(page->NextPage->isVisible());
    QCOMPARE(p.state.TrainingFileName, std::string("independent.net"));

    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    shown.clear();
    for (QLineEdit* box : page->OutputText)
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
    QCOMPARE(p.Intro()->OutputText[0]->text(), QStringLiteral("orthogonal.net"));
    QCOMPARE(p.state.TrainingFileName, std::string("orthogonal.net"));
    QCOMPARE(p.state.NumPatterns, 4);
    QVERIFY(p.Intro()->NextPage->isVisible());

    // A failure on a fresh page leaves it without the information block.
    Program q;
    q.DoubleClickFile(QStringLiteral("broken.net"));
    QCOMPARE(q.MessageCount(), 1);
    QVERIFY(q.Intro()->NextPage->isHidden());
}

void MainPagesTest::setupPageInitialSettings() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QCOMPARE(s->windowTitle(),
             QStringLiteral("Distributed Memory Setup Page -- Corlan Neural Network Code"));
    QVERIFY(s->OptionHebb->isChecked() && !s->OptionDelta->isChecked());
    QCOMPARE(p.state.LearningRule, std::string("Hebb"));
    QVERIFY(s->Check1[0]->isChecked() && !s->Check1[1]->isChecked());
    QCOMPARE(s->SweepsBox->text(), QStringLiteral("100"));
    QCOMPARE(s->PrintSweepsBox->text(), QStringLiteral("10"));
    QCOMPARE(s->LRateBox->text(), QStringLiteral("0.10"));
    QCOMPARE(s->MinErrorBox->text(), QStringLiteral("0.05"));
    QCOMPARE(s->LRateSlider->Value(), 10);
    QCOMPARE(s->MinErrorSlider->Value(), 5);
    QCOMPARE(s->MinErrorLabel->text(),
             QStringLiteral("Set The Minimum Level Of Error (SSE)  To Stop Training"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             s->Continue, s->TestRecall, s->EpochProgress, s->Picture1[0], s->Picture1[3]})
        QVERIFY(hidden->isHidden());
    QCOMPARE(p.state.Weights.NumInputs(), 4);
    QCOMPARE(p.state.Weights.NumOutputs(), 2);
}

void MainPagesTest::validationMessages_data() {
    QTest::addColumn<bool>("epochTest");
    QTest::addColumn<bool>("errorTest");
    QTest::addColumn<QString>("sweeps");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("sweepsAfter");
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
    QFETCH(QString, sweeps);
    QFETCH(QString, rate);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, sweepsAfter);
    QFETCH(QString, rateAfter);
    QFETCH(bool, bothTicked);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->Check1[0]->setChecked(epochTest);
    s->Check1[1]->setChecked(errorTest);
    s->SweepsBox->setText(sweeps);
    s->LRateBox->setText(rate);
    p.Train(s->StartTraining);
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().title, title);
    QCOMPARE(p.LastMessage().text, message);
    QCOMPARE(p.LastMessage().style, MsgStyle::OkWarning);
    QCOMPARE(s->SweepsBox->text(), sweepsAfter);
    QCOMPARE(s->LRateBox->text(), rateAfter);
    QCOMPARE(s->Check1[0]->isChecked() && s->Check1[1]->isChecked(), bothTicked);
    QCOMPARE(p.state.EpochCount, 0);  // nothing trained
    QVERIFY(s->Picture1[1]->isHidden());
    QVERIFY(s->SweepsBox->isEnabled());
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
    p.Train(s->StartTraining);
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
    QVERIFY(s->SweepsBox->isEnabled());
    // The page carries on: activation with that text does not fail either.
    p.Reactivate(s);
    QCOMPARE(s->LRateSlider->Value(), 10);  // a box that is not a number leaves its slider
    QVERIFY(s->LRateBox->isEnabled());
}

void MainPagesTest::continueTrainingAfter100ReachesEpoch200() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->OptionDelta, Qt::LeftButton);
    p.Train(s->StartTraining);
    QCOMPARE(p.state.EpochCount, 100);
    const std::vector<double> after100 = p.state.Weights.Storage();
    p.Train(s->Continue);
    QCOMPARE(p.state.EpochCount, 200);
    QCOMPARE(p.state.MaxEpochs, 200);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.SSECount, 21);
    QCOMPARE(p.state.SSEHistory[21][1], 200.0);
    QVERIFY(p.state.Weights.Storage() != after100);
    QCOMPARE(s->Picture1[1]->Lines(), QStringList{"Epochs: 200"});
    QCOMPARE(s->Picture1[0]->Lines(), QStringList{"Training: independent.net"});
}

void MainPagesTest::startTrainingAgainStartsFromZero() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTraining);
    const double firstRow = p.state.SSEHistory[1][2];
    const std::vector<double> weights = p.state.Weights.Storage();
    p.Train(s->Continue);
    p.Train(s->StartTraining);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][2], firstRow);
    QCOMPARE(p.state.Weights.Storage(), weights);  // same file, same settings, same weights
}

void MainPagesTest::slidersAndBoxes() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->LRateSlider->UserMoveTo(37);
    QCOMPARE(s->LRateBox->text(), QStringLiteral("0.37"));
    s->LRateSlider->UserMoveTo(150);
    QCOMPARE(s->LRateBox->text(), QStringLiteral("1.5"));
    s->MinErrorSlider->SetValue(20);
    s->MinErrorSlider->UserClick();
    QCOMPARE(s->MinErrorBox->text(), QStringLiteral("0.2"));

    // Typing moves the slider only at the next activation; odd texts leave it or clamp it.
    s->LRateBox->setText(QStringLiteral("0.5"));
    s->MinErrorBox->setText(QString());
    QCOMPARE(s->LRateSlider->Value(), 150);
    p.Reactivate(s);
    QCOMPARE(s->LRateSlider->Value(), 50);
    QCOMPARE(s->MinErrorSlider->Value(), 20);  // emptied box: slider stays
    s->LRateBox->setText(QStringLiteral("7"));
    s->MinErrorBox->setText(QStringLiteral("abc"));
    p.Reactivate(s);
    QCOMPARE(s->LRateSlider->Value(), 200);
    QCOMPARE(s->MinErrorSlider->Value(), 20);
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::upDownSteps() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->SweepsUpDown->StepUp();
    QCOMPARE(s->SweepsBox->text(), QStringLiteral("110"));
    s->PrintSweepsUpDown->StepDown();
    QCOMPARE(s->PrintSweepsBox->text(), QStringLiteral("0"));
    s->PrintSweepsUpDown->StepDown();
    QCOMPARE(s->PrintSweepsBox->text(), QStringLiteral("0"));
    s->SweepsBox->setText(QStringLiteral("49995"));
    s->SweepsUpDown->StepUp();
    QCOMPARE(s->SweepsBox->text(), QStringLiteral("50000"));
}

void MainPagesTest::activationKeepsTrainedNetwork() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->OptionDelta, Qt::LeftButton);
    p.Train(s->StartTraining);
    QVERIFY(!AllWeightsZero(p.state));
    const std::vector<double> trained = p.state.Weights.Storage();
    p.ToHub();
    // The user clicks the setup page while the hub is open, then the hub again.
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
    QVERIFY(s->Picture1[1]->isVisible());
    p.manager.NotifyActivated(p.Hub());
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
    // Continue then carries on from the trained weights.
    const double before = p.state.TotalSSE;
    p.Train(s->Continue);
    QCOMPARE(p.state.EpochCount, 200);
    QVERIFY(p.state.TotalSSE <= before);
}

void MainPagesTest::runThatRoundsToZeroEpochsEnds() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->SweepsBox->setText(QStringLiteral("0.4"));  // above zero, rounds to 0 epochs
    p.Train(s->StartTraining);
    QCOMPARE(p.MessageCount(), 0);
    QCOMPARE(p.state.EpochCount, 1);
    QVERIFY(s->TestRecall->isVisible());
    QVERIFY(!s->Training());
}

void MainPagesTest::divergingRunLeavesThePageUsable() {
    Program p;
    p.CopyExample("letters.net");
    p.ToSetup(QStringLiteral("letters.net"));
    DistMemPage* s = p.Setup();
    QTest::mouseClick(s->OptionDelta, Qt::LeftButton);
    s->LRateSlider->UserMoveTo(150);
    QCOMPARE(s->LRateBox->text(), QStringLiteral("1.5"));
    p.Train(s->StartTraining);
    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.startsWith("This version of the code has encountered an error."),
             qPrintable(p.LastMessage().text));
    QVERIFY(p.state.EpochCount < 100);  // the run stopped where the weights overflowed
    // After the message the student can change the settings and start again.
    for (QWidget* entry : std::initializer_list<QWidget*>{
             s->Check1[0], s->Check1[1], s->OptionHebb, s->OptionDelta, s->SweepsBox,
             s->SweepsUpDown, s->PrintSweepsBox, s->PrintSweepsUpDown, s->LRateBox, s->LRateSlider,
             s->MinErrorBox, s->MinErrorSlider})
        QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
    QVERIFY(s->EpochProgress->isHidden());
    QVERIFY(s->TestRecall->isHidden() && s->Continue->isHidden());
    QVERIFY(s->StartTraining->isVisible());

    s->LRateSlider->UserMoveTo(10);
    p.Train(s->StartTraining);
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.state.EpochCount, 100);
    QVERIFY(s->TestRecall->isVisible() && s->Continue->isVisible());
}

void MainPagesTest::stopButtonEndsAnEndlessRun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    // Only the error test, and a rate of 0: the error never falls.
    s->Check1[0]->setChecked(false);
    s->Check1[1]->setChecked(true);
    s->LRateBox->setText(QStringLiteral("0"));
    s->PrintSweepsBox->setText(QStringLiteral("1"));
    bool stopShownDuringRun = false;
    QTimer::singleShot(20, s, [&] {
        stopShownDuringRun = s->StopTraining->isVisible() && s->StartTraining->isHidden();
    });
    ClickDuringRun(s->StopTraining, 60);
    p.Train(s->StartTraining);
    QVERIFY(stopShownDuringRun);
    QVERIFY(p.state.EpochCount > 1);
    QCOMPARE(s->Picture1[1]->Lines(),
             QStringList{QString::fromStdString(EpochsLine(p.state.EpochCount))});
    QCOMPARE(s->Picture1[2]->BackColor(), kPureRed);
    QVERIFY(s->TestRecall->isVisible() && s->Continue->isVisible());
    QVERIFY(s->StartTraining->isVisible() && s->StopTraining->isHidden());
    QVERIFY(s->LRateBox->isEnabled());
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::escapeEndsARun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->Check1[0]->setChecked(false);
    s->Check1[1]->setChecked(true);
    s->LRateBox->setText(QStringLiteral("0"));
    QTimer::singleShot(40, s, [s] { QTest::keyClick(s->LRateBox, Qt::Key_Escape); });
    p.Train(s->StartTraining);
    QVERIFY(p.state.EpochCount > 1);
    QVERIFY(s->TestRecall->isVisible());
}

void MainPagesTest::otherControlsIgnoredDuringRun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTraining);
    p.ToHub();
    p.manager.NotifyActivated(s);
    s->Check1[0]->setChecked(false);
    s->Check1[1]->setChecked(true);
    s->LRateBox->setText(QStringLiteral("0"));
    // While the run goes on: Exit, the hub's list and a box are clicked, keys typed; then Stop.
    ClickDuringRun(s->Command2, 20);
    QTimer::singleShot(30, s, [&] {
        DoubleClickItem(p.Hub()->ContinueList, 2);
        QTest::keyClicks(s->SweepsBox, "999");
    });
    ClickDuringRun(s->StopTraining, 60);
    p.Train(s->StartTraining);
    QVERIFY(!p.ended);
    QVERIFY(p.Hub() != nullptr);
    QCOMPARE(s->SweepsBox->text(), QStringLiteral("100"));
    QCOMPARE(p.MessageCount(), 0);
    // After the run the page answers again.
    QTest::mouseClick(s->Command2, Qt::LeftButton);
    QVERIFY(p.ended);
}

void MainPagesTest::hubStartsClean() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTraining);
    p.ToHub();
    TestDAMPage* hub = p.Hub();
    QCOMPARE(hub->windowTitle(),
             QStringLiteral("Testing The Distributed Associative Memory -- Corlan Neural "
                            "Network Code"));
    QVERIFY(hub->ExcelProgressBar->isHidden());
    QCOMPARE(hub->FeedBackLabel->text(), QString());
    QCOMPARE(hub->TestList->ListIndex(), -1);
    QCOMPARE(hub->ContinueList->ListIndex(), -1);
    QCOMPARE(hub->TestList->count(), 4);
    QCOMPARE(hub->ContinueList->item(2)->text(),
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
    p.Train(p.Setup()->StartTraining);
    p.ToHub();
    ListBox* list = upperList ? p.Hub()->TestList : p.Hub()->ContinueList;
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 5));
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
    p.Train(s->StartTraining);
    p.ToHub();
    DoubleClickItem(p.Hub()->ContinueList, 0);
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));
    QVERIFY(AllWeightsZero(p.state));
    QVERIFY(s->Picture1[1]->isHidden());
    QVERIFY(s->Continue->isVisible());  // still offered
    p.Train(s->StartTraining);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][1], 0.0);
}

void MainPagesTest::hubKeepWeightsAndContinue() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTraining);
    const std::vector<double> trained = p.state.Weights.Storage();
    const std::int16_t rows = p.state.SSECount;
    p.ToHub();
    DoubleClickItem(p.Hub()->ContinueList, 1);
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.Weights.Storage(), trained);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSECount, rows);
    p.Train(s->Continue);
    QCOMPARE(p.state.EpochCount, 200);
}

void MainPagesTest::hubNewProblem() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTraining);
    p.ToHub();
    p.manager.RegisterPage(QStringLiteral("ProbeNetwork"), [](PageContext& c) {
        return std::make_unique<StandInPage>(c, QStringLiteral("ProbeNetwork"));
    });
    DoubleClickItem(p.Hub()->TestList, 0);
    DoubleClickItem(p.Hub()->ContinueList, 2);
    p.Settle();
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"ProbeNetwork", "Network1"}));
    Network1Page* intro = p.Intro();
    QVERIFY(intro->NextPage->isHidden());  // fresh page, though a file is still loaded
    QVERIFY(intro->OutputText[0]->isHidden());
    QCOMPARE(p.state.NumPatterns, 3);
    // Onward to a fresh setup page: initial settings and zero weights again.
    p.DoubleClickFile(QStringLiteral("orthogonal.net"));
    QTest::mouseClick(intro->NextPage, Qt::LeftButton);
    p.Settle();
    QCOMPARE(p.Setup()->SweepsBox->text(), QStringLiteral("100"));
    QCOMPARE(p.state.Weights.NumOutputs(), 3);
    QVERIFY(AllWeightsZero(p.state));
}

void MainPagesTest::hubDoubleClickBelowItemsRunsSelection() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Train(s->StartTraining);
    const std::vector<double> trained = p.state.Weights.Storage();
    p.ToHub();
    ListBox* list = p.Hub()->ContinueList;
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

void MainPagesTest::hubResultPagesOpenOnceWhenPresent() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTraining);
    p.ToHub();
    int created = 0;
    for (const char* name : {"ProbeNetwork", "SaveResults", "PlotSSEdata"}) {
        p.manager.RegisterPage(QString::fromLatin1(name), [name, &created](PageContext& c) {
            ++created;
            return std::make_unique<StandInPage>(c, QString::fromLatin1(name));
        });
    }
    DoubleClickItem(p.Hub()->TestList, 0);
    DoubleClickItem(p.Hub()->TestList, 0);
    DoubleClickItem(p.Hub()->TestList, 2);
    DoubleClickItem(p.Hub()->TestList, 3);
    QCOMPARE(created, 3);
    QCOMPARE(p.manager.LoadedNames(),
             (QStringList{"DistMem", "TestDAM", "ProbeNetwork", "SaveResults", "PlotSSEdata"}));
    QCOMPARE(p.Hub()->TestList->ListIndex(), 3);  // selection left as it was
    QCOMPARE(p.MessageCount(), 0);
}

void MainPagesTest::hubSpreadsheetEntryUsesHook() {
    Program p;
    p.ToSetup();
    p.Train(p.Setup()->StartTraining);
    p.ToHub();
    TestDAMPage* hub = p.Hub();
    DoubleClickItem(hub->TestList, 1);  // no build plugged in: nothing happens
    QCOMPARE(p.MessageCount(), 0);
    QVERIFY(hub->ExcelProgressBar->isHidden());

    int patternsSeen = 0;
    QStringList captionsWhileBuilding;
    SetSpreadsheetSummaryHook([&](PublicStuff& state, SummaryFeedback& feedback) {
        patternsSeen = state.NumPatterns;
        feedback.SetProgressRange(0, 7);
        feedback.SetProgressVisible(true);
        feedback.SetCaption("Building sheet 1");
        feedback.SetProgressValue(3);
        captionsWhileBuilding << hub->FeedBackLabel->text();
        QVERIFY(hub->ExcelProgressBar->isVisible());
        QCOMPARE(hub->ExcelProgressBar->value(), 3);
        QCOMPARE(hub->ExcelProgressBar->maximum(), 7);
        feedback.SetProgressVisible(false);
    });
    DoubleClickItem(hub->TestList, 1);
    QCOMPARE(patternsSeen, 3);
    QCOMPARE(captionsWhileBuilding, QStringList{"Building sheet 1"});
    QVERIFY(hub->ExcelProgressBar->isHidden());

    // A build that stops half-way (it has shown its own message) leaves no waiting line
    // and no bar behind: the hub is ready for the next choice.
    SetSpreadsheetSummaryHook([](PublicStuff&, SummaryFeedback& feedback) {
        feedback.SetCaption("Please be patient while the spreadsheet is built...");
        feedback.SetProgressRange(0, 21);
        feedback.SetProgressValue(9);
        feedback.SetProgressVisible(true);
    });
    DoubleClickItem(hub->TestList, 1);
    QCOMPARE(hub->FeedBackLabel->text(), QString());
    QVERIFY(hub->ExcelProgressBar->isHidden());
    QVERIFY(p.Hub() != nullptr);
}

void MainPagesTest::exitPaths() {
    {
        Program p;  // introductory page's Exit
        QTest::mouseClick(p.Intro()->Command2, Qt::LeftButton);
        QVERIFY(p.ended);
        QVERIFY(p.manager.LoadedNames().isEmpty());
    }
    {
        Program p;  // setup page's Exit, with the hub open
        p.ToSetup();
        p.Train(p.Setup()->StartTraining);
        p.ToHub();
        QTest::mouseClick(p.Setup()->Command2, Qt::LeftButton);
        QVERIFY(p.ended);
        QVERIFY(p.manager.LoadedNames().isEmpty());
    }
    {
        Program p;  // hub's Exit Program: hub and setup page go, the program ends
        p.ToSetup();
        p.Train(p.Setup()->StartTraining);
        p.ToHub();
        QTest::mouseClick(p.Hub()->Command2, Qt::LeftButton);
        QVERIFY(p.manager.LoadedNames().isEmpty());
        QVERIFY(p.ended);
    }
    {
        Program p;  // hub's Exit Program with a result page open: that page stays
        p.ToSetup();
        p.Train(p.Setup()->StartTraining);
        p.ToHub();
        p.manager.RegisterPage(QStringLiteral("ProbeNetwork"), [](PageContext& c) {
            return std::make_unique<StandInPage>(c, QStringLiteral("ProbeNetwork"));
        });
        DoubleClickItem(p.Hub()->TestList, 0);
        QTest::mouseClick(p.Hub()->Command2, Qt::LeftButton);
        QCOMPARE(p.manager.LoadedNames(), QStringList{"ProbeNetwork"});
        QVERIFY(!p.ended);
    }
}

QTEST_MAIN(MainPagesTest)
#include "MainPagesTest.moc"
