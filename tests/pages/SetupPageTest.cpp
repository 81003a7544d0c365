// The setup page driven as a user drives it: its entries, Start, Continue and Stop, the
// panels and buttons a run leaves, and the messages that come back. The rules behind the
// entries (checks, numbers, slider positions) are tested without the page.
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include "core/TrainingRun.h"
#include "tests/support/MainPagesSession.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

using Program = testsupport::MainPagesFromTheStart;

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
void ClickDuringRun(QWidget* widget, int afterMs) {
    QTimer::singleShot(afterMs, widget, [widget] { QTest::mouseClick(widget, Qt::LeftButton); });
}

// Only the error test, and a rate of 0: the error never falls and the run goes on until
// the user stops it.
void SetUpAnEndlessRun(DistMemPage* s) {
    s->StopCheckBoxes()[0]->setChecked(false);
    s->StopCheckBoxes()[1]->setChecked(true);
    s->RateBox()->setText(QStringLiteral("0"));
}

// The four entry boxes, by a name for test rows.
QLineEdit* BoxNamed(DistMemPage* s, const QString& name) {
    if (name == "epochs")
        return s->MaxEpochsBox();
    if (name == "printout")
        return s->PrintEpochsBox();
    if (name == "rate")
        return s->RateBox();
    return s->MinimumErrorBox();
}

}  // namespace

class SetupPageTest : public QObject {
    Q_OBJECT

  private slots:
    void initialSettings();
    void aRunShowsItsResultAndWhatComesNext();
    void refusedSettingsAreExplainedAndCorrected_data();
    void refusedSettingsAreExplainedAndCorrected();
    void entryThatIsNotANumberIsShownForRetyping_data();
    void entryThatIsNotANumberIsShownForRetyping();
    void continueCarriesOnFromTheTrainedNetwork();
    void startTrainingAgainStartsFromZero();
    void slidersAndBoxes();
    void upDownSteps();
    void activationKeepsTheTrainedNetwork();
    void runThatRoundsToZeroEpochsEnds();
    void failingRunShowsHowFarItGotAndLeavesThePageUsable();
    void startTrainingWithoutMemoryStopsAtTheMessage();
    void activationDuringTheRunIsHandledAfterIt();
    void userEndsAnEndlessRun_data();
    void userEndsAnEndlessRun();
    void otherControlsIgnoredDuringRun();
};

void SetupPageTest::initialSettings() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QVERIFY(s->HebbOption()->isChecked() && !s->DeltaOption()->isChecked());
    QCOMPARE(p.state.LearningRule, std::string("Hebb"));
    QVERIFY(s->StopCheckBoxes()[0]->isChecked() && !s->StopCheckBoxes()[1]->isChecked());
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(s->PrintEpochsBox()->text(), QStringLiteral("10"));
    QCOMPARE(s->RateBox()->text(), QStringLiteral("0.10"));
    QCOMPARE(s->MinimumErrorBox()->text(), QStringLiteral("0.05"));
    QCOMPARE(s->RateSlider()->Value(), 10);
    QCOMPARE(s->MinimumErrorSlider()->Value(), 5);
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             s->ContinueTrainingButton(), s->TestRecallButton(), s->EpochProgressBar(),
             s->TrainingPanels()[0], s->TrainingPanels()[3]})
        QVERIFY(hidden->isHidden());
    QCOMPARE(p.state.Weights.NumInputs(), 4);
    QCOMPARE(p.state.Weights.NumOutputs(), 2);
}

void SetupPageTest::aRunShowsItsResultAndWhatComesNext() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->DeltaOption());
    QCOMPARE(p.state.LearningRule, std::string("Delta"));
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(s->TrainingPanels()[0]->Lines(), QStringList{"Training: independent.net"});
    QCOMPARE(s->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 100"});
    QCOMPARE(s->TrainingPanels()[2]->Lines(),
             QStringList{QString::fromStdString(TotalSSELine(p.state.TotalSSE))});
    // Three independent patterns: Delta learns them, and the total ends under the 0.05 level.
    QVERIFY(p.state.TotalSSE < 0.05);
    QCOMPARE(s->TrainingPanels()[2]->BackColor(), kPureGreen);
    QCOMPARE(s->TrainingPanels()[3]->BackColor(), ButtonFaceColor());
    QVERIFY(s->TestRecallButton()->isVisible() && s->TestRecallButton()->isEnabled());
    QVERIFY(s->ContinueTrainingButton()->isVisible());
    QVERIFY(s->EpochProgressBar()->isHidden());
    QVERIFY(s->StartTrainingButton()->isVisible() && s->StopTrainingButton()->isHidden());
    QVERIFY(s->RateBox()->isEnabled());
    QCOMPARE(p.MessageCount(), 0);
}

void SetupPageTest::refusedSettingsAreExplainedAndCorrected_data() {
    QTest::addColumn<bool>("epochTest");
    QTest::addColumn<bool>("errorTest");
    QTest::addColumn<QString>("epochs");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("epochsAfter");
    QTest::addColumn<QString>("rateAfter");
    QTest::addColumn<bool>("bothTicked");
    QTest::addColumn<QString>("focus");  // the object name of the control to fix
    QTest::newRow("zero epochs: the box says 1")
        << true << false << "0"
        << "0.10"
        << "Maximum Epochs"
        << "Maximum number of training epochs must be greater than zero."
        << "1"
        << "0.10" << false << "SweepsBox";
    QTest::newRow("no stopping test: both are ticked")
        << false << false << "100"
        << "0.10"
        << "No stopping method set"
        << "At least one box for method of ending training must be checked."
        << "100"
        << "0.10" << true << "Check1_0";
    QTest::newRow("negative rate: the box says 0.10") << true << false << "100"
                                                      << "-0.1"
                                                      << "Learning Rate"
                                                      << "Learning rate cannot be negative"
                                                      << "100"
                                                      << "0.10" << false << "LRateBox";
}

void SetupPageTest::refusedSettingsAreExplainedAndCorrected() {
    QFETCH(bool, epochTest);
    QFETCH(bool, errorTest);
    QFETCH(QString, epochs);
    QFETCH(QString, rate);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, epochsAfter);
    QFETCH(QString, rateAfter);
    QFETCH(bool, bothTicked);
    QFETCH(QString, focus);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->StopCheckBoxes()[0]->setChecked(epochTest);
    s->StopCheckBoxes()[1]->setChecked(errorTest);
    s->MaxEpochsBox()->setText(epochs);
    s->RateBox()->setText(rate);
    p.Click(s->StartTrainingButton());
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
    // The student is taken to what needs fixing.
    QVERIFY(s->focusWidget());
    QCOMPARE(s->focusWidget()->objectName(), focus);
}

// Which texts are numbers is the number reader's to test; here, one per box, that the page
// says why and takes the student to the box.
void SetupPageTest::entryThatIsNotANumberIsShownForRetyping_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("hint");  // how the hint line names the box
    QTest::newRow("rate in letters") << "rate"
                                     << "fast"
                                     << "Type mismatch"
                                     << "Learning rate:";
    QTest::newRow("epochs too large") << "epochs"
                                      << "1e300"
                                      << "Overflow"
                                      << "Maximum epochs:";
    QTest::newRow("printout empty") << "printout"
                                    << ""
                                    << "Type mismatch"
                                    << "Epochs between printouts:";
    QTest::newRow("error infinite") << "error"
                                    << "inf"
                                    << "Type mismatch"
                                    << "Minimum level of error:";
}

void SetupPageTest::entryThatIsNotANumberIsShownForRetyping() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(QString, hint);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    QLineEdit* edit = BoxNamed(s, box);
    edit->setText(text);
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 1);
    const QString shown = p.LastMessage().text;
    QVERIFY2(shown.startsWith("This version of the code has encountered an error.\n"),
             qPrintable(shown));
    QVERIFY2(shown.contains(reason), qPrintable(shown));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    // The student is taken to the box that could not be read, its text ready to retype,
    // and the hint line says which box it is; changing the box takes the hint away.
    QCOMPARE(s->focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
    QVERIFY2(s->HintLine()->text().startsWith(hint), qPrintable(s->HintLine()->text()));
    QTest::keyClicks(edit, QStringLiteral("1"));
    QVERIFY(s->HintLine()->text().isEmpty());
    QCOMPARE(p.state.EpochCount, 0);
    QVERIFY(s->MaxEpochsBox()->isEnabled());
}

void SetupPageTest::continueCarriesOnFromTheTrainedNetwork() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->DeltaOption());
    p.Click(s->StartTrainingButton());
    const std::vector<double> after100 = p.state.Weights.Storage();
    p.Click(s->ContinueTrainingButton());
    QCOMPARE(p.state.EpochCount, 200);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QVERIFY(p.state.Weights.Storage() != after100);
    QCOMPARE(s->TrainingPanels()[0]->Lines(), QStringList{"Training: independent.net"});
    QCOMPARE(s->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 200"});
}

void SetupPageTest::startTrainingAgainStartsFromZero() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->StartTrainingButton());
    const double firstRow = p.state.SSEHistory[1][2];
    const std::vector<double> weights = p.state.Weights.Storage();
    p.Click(s->ContinueTrainingButton());
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][2], firstRow);
    QCOMPARE(p.state.Weights.Storage(), weights);  // same file, same settings, same weights
}

// Where a slider stands for a text, and the reverse, is the page logic's to test; here,
// when the page moves one with the other.
void SetupPageTest::slidersAndBoxes() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->RateSlider()->UserMoveTo(150);
    QCOMPARE(s->RateBox()->text(), QStringLiteral("1.5"));
    s->MinimumErrorSlider()->SetValue(20);
    s->MinimumErrorSlider()->UserClick();
    QCOMPARE(s->MinimumErrorBox()->text(), QStringLiteral("0.2"));

    // Typing moves the slider only at the next activation; a box that is not a number
    // leaves its slider where it was.
    s->RateBox()->setText(QStringLiteral("0.5"));
    s->MinimumErrorBox()->setText(QStringLiteral("abc"));
    QCOMPARE(s->RateSlider()->Value(), 150);
    p.Reactivate(s);
    QCOMPARE(s->RateSlider()->Value(), 50);
    QCOMPARE(s->MinimumErrorSlider()->Value(), 20);
    QCOMPARE(p.MessageCount(), 0);
}

// The arrows step by 10, from 0 up to 50000 epochs.
void SetupPageTest::upDownSteps() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->MaxEpochsUpDown()->StepUp();
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("110"));
    s->PrintEpochsUpDown()->StepDown();
    s->PrintEpochsUpDown()->StepDown();
    QCOMPARE(s->PrintEpochsBox()->text(), QStringLiteral("0"));
    s->MaxEpochsBox()->setText(QStringLiteral("49995"));
    s->MaxEpochsUpDown()->StepUp();
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("50000"));
}

void SetupPageTest::activationKeepsTheTrainedNetwork() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->DeltaOption());
    p.Click(s->StartTrainingButton());
    QVERIFY(!AllWeightsZero(p.state));
    const std::vector<double> trained = p.state.Weights.Storage();
    p.ToHub();
    // The user clicks the setup page while the hub is open, then the hub, then the page.
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
    QVERIFY(s->TrainingPanels()[1]->isVisible());
    p.manager.NotifyActivated(p.Hub());
    p.manager.NotifyActivated(s);
    QCOMPARE(p.state.Weights.Storage(), trained);
}

void SetupPageTest::runThatRoundsToZeroEpochsEnds() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    s->MaxEpochsBox()->setText(QStringLiteral("0.4"));  // above zero, rounds to 0 epochs
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.MessageCount(), 0);
    QCOMPARE(p.state.EpochCount, 1);
    QVERIFY(s->TestRecallButton()->isVisible());
    QVERIFY(!s->Training());
}

// Delta at a huge rate overflows within a few microseconds, long before the first frame: the
// panels still show the last printout and the bar the epochs run, behind the error message.
// After the message the student can change the settings and start again.
void SetupPageTest::failingRunShowsHowFarItGotAndLeavesThePageUsable() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    // A first, normal run leaves its lines on the panels.
    p.Click(s->StartTrainingButton());
    QCOMPARE(s->TrainingPanels()[1]->Lines(), QStringList{"Epochs: 100"});

    p.Click(s->DeltaOption());
    s->RateBox()->setText(QStringLiteral("150"));
    s->PrintEpochsBox()->setText(QStringLiteral("1"));
    s->MaxEpochsBox()->setText(QStringLiteral("5000"));
    QStringList epochsBehind, totalBehind;
    int progressBehind = -1;
    p.backend.whileShown = [&](const auto&) {
        epochsBehind = s->TrainingPanels()[1]->Lines();
        totalBehind = s->TrainingPanels()[2]->Lines();
        progressBehind = s->EpochProgressBar()->value();
    };
    p.Click(s->StartTrainingButton());
    p.backend.whileShown = nullptr;

    QCOMPARE(p.MessageCount(), 1);
    QVERIFY2(p.LastMessage().text.startsWith("This version of the code has encountered an error."),
             qPrintable(p.LastMessage().text));
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

    for (QWidget* entry : std::initializer_list<QWidget*>{
             s->StopCheckBoxes()[0], s->StopCheckBoxes()[1], s->HebbOption(), s->DeltaOption(),
             s->MaxEpochsBox(), s->MaxEpochsUpDown(), s->PrintEpochsBox(), s->PrintEpochsUpDown(),
             s->RateBox(), s->RateSlider(), s->MinimumErrorBox(), s->MinimumErrorSlider()})
        QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
    QVERIFY(s->EpochProgressBar()->isHidden());
    // Not a trained network: nothing to test or continue.
    QVERIFY(s->TestRecallButton()->isHidden() && s->ContinueTrainingButton()->isHidden());
    QVERIFY(s->StartTrainingButton()->isVisible());
    // Beside the message the page says what to try; it goes when the student starts again.
    QVERIFY(s->HintLine()->text().contains(QStringLiteral("rate may be too large")));

    s->RateBox()->setText(QStringLiteral("0.10"));
    s->MaxEpochsBox()->setText(QStringLiteral("100"));
    p.Click(s->StartTrainingButton());
    QVERIFY(s->HintLine()->text().isEmpty());
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.state.EpochCount, 100);
    QVERIFY(s->TestRecallButton()->isVisible() && s->ContinueTrainingButton()->isVisible());
}

// A network that does not fit: each press of Start Training says so once, and nothing is
// trained (before, the run went on and failed again with "Subscript out of range").
void SetupPageTest::startTrainingWithoutMemoryStopsAtTheMessage() {
    if (kAddressSanitizer)
        QSKIP("the sanitizer's shadow memory needs the address space");
    const std::string outOfMemory =
        "Out of memory error: \nPlease try closing some applications and retrying.\n";
    Program p;
    testsupport::WriteBytes(p.folder.Path() / "huge.net", LargestNetworkFile());
    LittleMemory little(rlim_t(1) << 30);
    QVERIFY(little.Ok());
    p.DoubleClickFile(QStringLiteral("huge.net"));
    QCOMPARE(p.MessageCount(), 0);
    p.Click(p.Intro()->NextPageButton());
    p.Settle();
    DistMemPage* s = p.Setup();
    QVERIFY(s != nullptr);
    // The page's own allocation already said so, once.
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text.toStdString(), outOfMemory);

    for (int press = 1; press <= 2; ++press) {
        p.Click(s->StartTrainingButton());
        QCOMPARE(p.MessageCount(), 1 + press);
        QCOMPARE(p.LastMessage().text.toStdString(), outOfMemory);
        QCOMPARE(p.state.EpochCount, 0);
        QVERIFY(s->StartTrainingButton()->isVisible() && s->StartTrainingButton()->isEnabled());
        QVERIFY(s->RateBox()->isEnabled() && s->StopCheckBoxes()[0]->isEnabled());
        QVERIFY(s->TestRecallButton()->isHidden() && s->EpochProgressBar()->isHidden());
        QVERIFY(!s->Training());
    }
    p.Click(s->ExitButton());
    QVERIFY(p.ended);
}

// The user flicks to the hub and back while a run ends: the setup page's activation (which
// moves the sliders to their boxes) is not lost but handled once the run is over.
void SetupPageTest::activationDuringTheRunIsHandledAfterIt() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->StartTrainingButton());
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
    p.Click(s->StartTrainingButton());
    QVERIFY(arrivedDuringRun);
    QVERIFY(!s->Training());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(s->RateSlider()->Value(), 50);
    QVERIFY(s->TestRecallButton()->isVisible() && s->RateBox()->isEnabled());
    QCOMPARE(p.MessageCount(), 0);
}

void SetupPageTest::userEndsAnEndlessRun_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Stop button") << false;
    QTest::newRow("Esc key") << true;
}

void SetupPageTest::userEndsAnEndlessRun() {
    QFETCH(bool, byEscape);
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    SetUpAnEndlessRun(s);
    s->PrintEpochsBox()->setText(QStringLiteral("1"));
    bool stopShownDuringRun = false;
    QTimer::singleShot(20, s, [&] {
        stopShownDuringRun =
            s->StopTrainingButton()->isVisible() && s->StartTrainingButton()->isHidden();
    });
    if (byEscape)
        QTimer::singleShot(60, s, [s] { QTest::keyClick(s->RateBox(), Qt::Key_Escape); });
    else
        ClickDuringRun(s->StopTrainingButton(), 60);
    p.Click(s->StartTrainingButton());
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

void SetupPageTest::otherControlsIgnoredDuringRun() {
    Program p;
    p.ToSetup();
    DistMemPage* s = p.Setup();
    p.Click(s->StartTrainingButton());
    p.ToHub();
    p.manager.NotifyActivated(s);
    SetUpAnEndlessRun(s);
    // While the run goes on: Exit, the hub's list and a box are clicked, keys typed; then Stop.
    ClickDuringRun(s->ExitButton(), 20);
    QTimer::singleShot(30, s, [&] {
        testsupport::DoubleClickItem(p.Hub()->ContinuingList(), 2);
        QTest::keyClicks(s->MaxEpochsBox(), "999");
    });
    ClickDuringRun(s->StopTrainingButton(), 60);
    p.Click(s->StartTrainingButton());
    QVERIFY(!p.ended);
    QVERIFY(p.Hub() != nullptr);
    QCOMPARE(s->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(p.MessageCount(), 0);
    // After the run the page answers again: Exit ends the program, the hub going too.
    p.Click(s->ExitButton());
    QVERIFY(p.ended);
    QVERIFY(p.manager.LoadedNames().isEmpty());
}

QTEST_MAIN(SetupPageTest)
#include "SetupPageTest.moc"
