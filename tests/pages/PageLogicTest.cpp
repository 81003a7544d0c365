// The setup and introductory pages' rules, checked without their controls.
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "core/ParameterCheck.h"
#include "core/PublicStuff.h"
#include "core/RunTimeError.h"
#include "core/TrainingRun.h"
#include "pages/main/BoxNumbers.h"
#include "pages/main/DistMemLogic.h"
#include "pages/main/LiveTrainingDisplay.h"
#include "pages/main/Network1Logic.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

// 2 patterns of 3 inputs, 2 outputs.
const char* kSmallNet = "2 0 3 2\n1 0 0\n0 1 0\n1 -1\n-1 1\n";

void WriteFile(const QString& path, const char* text) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
}

// Records what reaches the screen.
class RecordingSink : public TrainingPanelSink {
  public:
    void ShowPanels() override { panelsShown = true; }
    void SetPanelText(int panel, const std::string& text) override {
        texts[static_cast<std::size_t>(panel)] = text;
        ++textWrites;
    }
    void SetPanelColour(int panel, PanelColour colour) override {
        colours[static_cast<std::size_t>(panel)] = colour;
    }
    void SetProgress(double maximum, double value, bool visible) override {
        progressMaximum = maximum;
        progressValue = value;
        progressVisible = visible;
    }
    void MakePanelsPersistent() override { persistent = true; }
    void ReEnable() override {
        reEnabled = true;
        progressVisible = false;
    }
    void Pump() override {
        ++pumps;
        if (stopAfterPumps > 0 && pumps >= stopAfterPumps)
            stop = true;
    }
    bool StopWanted() const override { return stop; }

    bool panelsShown = false;
    std::array<std::string, 4> texts;
    std::array<PanelColour, 4> colours{PanelColour::kButtonFace, PanelColour::kButtonFace,
                                       PanelColour::kButtonFace, PanelColour::kButtonFace};
    int textWrites = 0;
    double progressMaximum = 0, progressValue = 0;
    bool progressVisible = false;
    bool persistent = false;
    bool reEnabled = false;
    int pumps = 0;
    int stopAfterPumps = 0;
    bool stop = false;
};

// A clock that moves on by a fixed step each time it is read.
struct SteppingClock {
    std::chrono::steady_clock::time_point now{};
    std::chrono::microseconds step;
    std::chrono::steady_clock::time_point operator()() {
        now += step;
        return now;
    }
};

PublicStuff LoadedState(const QTemporaryDir& dir) {
    const QString path = dir.filePath("small.net");
    WriteFile(path, kSmallNet);
    PublicStuff state;
    FileChoice choice = LoadChosenFile(state, dir.path().toStdString(), "small.net");
    if (!choice.Loaded)
        qFatal("test file did not load: %s", choice.Message.c_str());
    state.ReallocateNetwork();
    state.NewRun = 1;
    state.LearningRule = "Delta";
    state.LearningRate = 0.1;
    state.StopAtMaxEpochs = 1;
    state.PrintInterval = 1;
    state.MinError = 0.05;
    return state;
}

}  // namespace

class PageLogicTest : public QObject {
    Q_OBJECT

  private slots:
    void boxNumbers_data();
    void boxNumbers();
    void sliderPositions_data();
    void sliderPositions();
    void sliderTexts_data();
    void sliderTexts();
    void checkReactions_data();
    void checkReactions();
    void hintsSayWhatToFix_data();
    void hintsSayWhatToFix();
    void hintsForFailedRuns();
    void resetRule();
    void fileChoiceLoadsAndFills();
    void fileChoiceFailureKeepsPreviousFile();
    void liveDisplayDrawsAtFrameRateNotPerEpoch();
    void liveDisplayStopEndsRunWithFinalDisplay();
    void liveDisplayKeepsChangeColourWithoutChangeLine();
};

void PageLogicTest::boxNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");
    // Design-time texts read in every locale.
    QTest::newRow("en 0.10") << "en_US"
                             << "0.10" << true << 0.1;
    QTest::newRow("de 0.10") << "de_DE"
                             << "0.10" << true << 0.1;
    QTest::newRow("fr 0.05") << "fr_FR"
                             << "0.05" << true << 0.05;
    QTest::newRow("de comma") << "de_DE"
                              << "0,5" << true << 0.5;
    QTest::newRow("blanks") << "en_US"
                            << "  100 " << true << 100.0;
    QTest::newRow("exponent") << "en_US"
                              << "1e3" << true << 1000.0;
    QTest::newRow("negative") << "en_US"
                              << "-0.1" << true << -0.1;
    // Refused: group separators, specials, partly numeric, empty, ambiguous point.
    QTest::newRow("en grouped") << "en_US"
                                << "1,000" << false << 0.0;
    QTest::newRow("de grouped") << "de_DE"
                                << "1.000" << false << 0.0;
    QTest::newRow("de grouped decimals") << "de_DE"
                                         << "1.000,5" << false << 0.0;
    QTest::newRow("en comma decimal") << "en_US"
                                      << "0,5" << false << 0.0;
    QTest::newRow("nan") << "en_US"
                         << "nan" << false << 0.0;
    QTest::newRow("inf") << "en_US"
                         << "inf" << false << 0.0;
    QTest::newRow("minus inf") << "en_US"
                               << "-Infinity" << false << 0.0;
    QTest::newRow("partly") << "en_US"
                            << "12abc" << false << 0.0;
    QTest::newRow("letters") << "en_US"
                             << "abc" << false << 0.0;
    QTest::newRow("empty") << "en_US"
                           << "" << false << 0.0;
    QTest::newRow("hex") << "en_US"
                         << "0x10" << false << 0.0;
    QTest::newRow("too large") << "en_US"
                               << "1e400" << false << 0.0;
}

void PageLogicTest::boxNumbers() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    const QLocale loc(locale);
    if (accepted) {
        QCOMPARE(ReadBoxNumber(loc, text.toStdString()), value);
    } else {
        bool threw = false;
        try {
            ReadBoxNumber(loc, text.toStdString());
        } catch (const RunTimeException& e) {
            threw = true;
            QVERIFY(e.Error().Number == kTypeMismatch || e.Error().Number == kOverflow);
        }
        QVERIFY2(threw, qPrintable(text));
    }
}

void PageLogicTest::sliderPositions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("expected");  // -1: slider left alone
    QTest::newRow("initial rate") << "0.10" << 200 << 10;
    QTest::newRow("initial error") << "0.05" << 100 << 5;
    QTest::newRow("typed half") << "0.5" << 200 << 50;
    QTest::newRow("half to even") << "0.125" << 200 << 12;
    QTest::newRow("above range") << "3" << 200 << 200;
    QTest::newRow("error above range") << "1.5" << 100 << 100;
    QTest::newRow("below range") << "-1" << 200 << 0;
    QTest::newRow("huge") << "1e300" << 200 << 200;
    QTest::newRow("emptied box") << "" << 100 << -1;
    QTest::newRow("not a number") << "abc" << 200 << -1;
}

void PageLogicTest::sliderPositions() {
    QFETCH(QString, text);
    QFETCH(int, maximum);
    QFETCH(int, expected);
    const auto position =
        SliderPositionFor(text.toStdString(), 0, maximum, LocaleNumberReader(QLocale("en_US")));
    if (expected < 0)
        QVERIFY(!position.has_value());
    else
        QCOMPARE(position.value_or(-1), expected);
}

void PageLogicTest::sliderTexts_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("37") << 37 << "0.37";
    QTest::newRow("10") << 10 << "0.1";
    QTest::newRow("150") << 150 << "1.5";
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("200") << 200 << "2";
}

void PageLogicTest::sliderTexts() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(BoxTextForSlider(position)), text);
}

void PageLogicTest::checkReactions_data() {
    QTest::addColumn<bool>("epochTest");
    QTest::addColumn<bool>("errorTest");
    QTest::addColumn<QString>("epochs");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("messageStart");
    QTest::addColumn<QString>("epochsAfter");  // empty: box untouched
    QTest::addColumn<QString>("rateAfter");
    QTest::addColumn<bool>("tickBoth");
    QTest::newRow("defaults") << true << false << "100"
                              << "0.10" << true << ""
                              << ""
                              << ""
                              << "" << false;
    QTest::newRow("zero epochs") << true << false << "0"
                                 << "0.10" << false << "Maximum Epochs"
                                 << "Maximum number of training epochs must be greater than zero."
                                 << "1"
                                 << "" << false;
    QTest::newRow("zero epochs, error test only") << false << true << "0"
                                                  << "0.10" << true << ""
                                                  << ""
                                                  << ""
                                                  << "" << false;
    QTest::newRow("no test") << false << false << "100"
                             << "0.10" << false << "No stopping method set"
                             << "At least one box for method of ending training must be checked."
                             << ""
                             << "" << true;
    QTest::newRow("zero rate") << true << false << "100"
                               << "0" << true << ""
                               << ""
                               << ""
                               << "" << false;
    QTest::newRow("negative rate") << true << false << "100"
                                   << "-0.1" << false << "Learning Rate"
                                   << "Learning rate cannot be negative"
                                   << ""
                                   << "0.10" << false;
    QTest::newRow("rate not a number") << true << false << "100"
                                       << "abc" << false << ""
                                       << "This version of the code has encountered an error.\r"
                                       << ""
                                       << "" << false;
}

void PageLogicTest::checkReactions() {
    QFETCH(bool, epochTest);
    QFETCH(bool, errorTest);
    QFETCH(QString, epochs);
    QFETCH(QString, rate);
    QFETCH(bool, accepted);
    QFETCH(QString, title);
    QFETCH(QString, messageStart);
    QFETCH(QString, epochsAfter);
    QFETCH(QString, rateAfter);
    QFETCH(bool, tickBoth);

    PublicStuff state;
    state.NewRun = 1;
    ParameterEntries entries;
    entries.EpochTest = epochTest;
    entries.ErrorTest = errorTest;
    entries.Epochs = epochs.toStdString();
    entries.LearningRate = rate.toStdString();
    const CheckReaction reaction =
        ReactionTo(CheckParameters(state, entries, LocaleNumberReader(QLocale("en_US"))));
    QCOMPARE(reaction.Accepted, accepted);
    QCOMPARE(QString::fromStdString(reaction.Title), title);
    QVERIFY2(QString::fromStdString(reaction.Message).startsWith(messageStart),
             reaction.Message.c_str());
    QCOMPARE(reaction.WarningIcon, !title.isEmpty());
    QCOMPARE(QString::fromStdString(reaction.EpochsText.value_or("")), epochsAfter);
    QCOMPARE(QString::fromStdString(reaction.RateText.value_or("")), rateAfter);
    QCOMPARE(reaction.TickBothTests, tickBoth);
    if (messageStart.startsWith("This version"))
        QVERIFY(reaction.Message.ends_with("Type mismatch "));
}

void PageLogicTest::hintsSayWhatToFix_data() {
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("hint");
    const int check = int(CheckVerdict::kError);
    QTest::newRow("epochs not a number")
        << check << int(EntryBox::kEpochs) << int(kTypeMismatch)
        << "Maximum epochs: not a number. Type a whole number such as 100, then start again.";
    QTest::newRow("epochs too large") << check << int(EntryBox::kEpochs) << int(kOverflow)
                                      << "Maximum epochs: the number is too large to use. Type a "
                                         "whole number such as 100, then start again.";
    QTest::newRow("rate not a number")
        << check << int(EntryBox::kLearningRate) << int(kTypeMismatch)
        << "Learning rate: not a number. Type a number such as 0.1, then start again.";
    QTest::newRow("no box named") << check << int(EntryBox::kNone) << int(kOverflow)
                                  << "The settings could not be used: check the numbers in the "
                                     "boxes, then start again.";
    QTest::newRow("a warning has its own message")
        << int(CheckVerdict::kNegativeRate) << int(EntryBox::kNone) << 0 << "";
}

void PageLogicTest::hintsSayWhatToFix() {
    QFETCH(int, verdict);
    QFETCH(int, box);
    QFETCH(int, error);
    QFETCH(QString, hint);
    CheckResult check;
    check.Verdict = static_cast<CheckVerdict>(verdict);
    check.FaultyBox = static_cast<EntryBox>(box);
    check.Error.Number = error;
    QCOMPARE(QString::fromStdString(HintForCheck(check)), hint);
}

void PageLogicTest::hintsForFailedRuns() {
    RunTimeError overflow;
    overflow.Number = kOverflow;
    QVERIFY(HintForFailedRun(overflow).find("the learning rate may be too large for this file") !=
            std::string::npos);
    RunTimeError memory;
    memory.Number = kOutOfMemory;
    QVERIFY(HintForFailedRun(memory).find("does not fit in memory") != std::string::npos);
    RunTimeError other;
    other.Number = kSubscriptOutOfRange;
    QVERIFY(HintForFailedRun(other).empty());  // nothing useful to add
}

void PageLogicTest::resetRule() {
    PublicStuff state;
    NetworkResetRule rule;
    state.NewRun = 1;
    QVERIFY(rule.OnLoad(state));       // first load from the introductory page
    QVERIFY(!rule.OnActivate(state));  // its activation: already fresh
    rule.OnStartTraining();
    QVERIFY(!rule.OnActivate(state));  // clicked back to the front after a run: kept
    QVERIFY(!rule.OnActivate(state));
    rule.Request();  // the hub's reset choice
    QVERIFY(rule.OnActivate(state));
    QVERIFY(!rule.OnActivate(state));  // served once only
    state.NewRun = 0;
    rule.Request();
    QVERIFY(!rule.OnActivate(state));  // keep-weights choice never resets
    QVERIFY(!rule.OnLoad(state));
}

void PageLogicTest::fileChoiceLoadsAndFills() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.net"), kSmallNet);
    PublicStuff state;
    const FileChoice choice = LoadChosenFile(state, dir.path().toStdString(), "a.net");
    QVERIFY(choice.Loaded);
    QCOMPARE(choice.Boxes[0], std::string("a.net"));
    QCOMPARE(choice.Boxes[1], std::string("2"));  // output units
    QCOMPARE(choice.Boxes[2], std::string("3"));  // input units
    QCOMPARE(choice.Boxes[3], std::string("2"));  // patterns
    QCOMPARE(state.TrainingFileName, std::string("a.net"));
    QCOMPARE(state.DesiredOutputs(2, 2), 1.0);
}

void PageLogicTest::fileChoiceFailureKeepsPreviousFile() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.net"), kSmallNet);
    WriteFile(dir.filePath("short.net"), "2 0 3 2\n1 0 0\n");
    WriteFile(dir.filePath("words.net"), "2 0 three 2\n");
    PublicStuff state;
    QVERIFY(LoadChosenFile(state, dir.path().toStdString(), "a.net").Loaded);
    for (const char* bad : {"short.net", "words.net", "missing.net"}) {
        const FileChoice choice = LoadChosenFile(state, dir.path().toStdString(), bad);
        QVERIFY(!choice.Loaded);
        QVERIFY2(QString::fromStdString(choice.Message).contains(bad), choice.Message.c_str());
        QCOMPARE(state.TrainingFileName, std::string("a.net"));
        QCOMPARE(state.NumInputs, 3);
        QCOMPARE(state.InputPatterns(2, 2), 1.0);
    }
}

void PageLogicTest::liveDisplayDrawsAtFrameRateNotPerEpoch() {
    QTemporaryDir dir;
    PublicStuff state = LoadedState(dir);
    state.MaxEpochs = 5000;
    RecordingSink sink;
    // 1 ms per clock reading: a frame every 16 readings at most.
    LiveTrainingDisplay display(sink, SteppingClock{{}, std::chrono::milliseconds(1)});
    const RunResult result = TrainNetwork(state, display, 5000);
    QCOMPARE(result.Outcome, RunOutcome::kFinished);
    QCOMPARE(state.EpochCount, 5000);
    QVERIFY2(display.Frames() > 100 && display.Frames() <= 5000 / 16 + 1,
             qPrintable(QString::number(display.Frames())));
    QVERIFY(sink.textWrites < 5000);
    QCOMPARE(sink.texts[0], std::string("Training: small.net"));
    QCOMPARE(sink.texts[1], std::string("Epochs: 5000"));
    QCOMPARE(sink.texts[2], TotalSSELine(state.TotalSSE));
    QVERIFY(sink.persistent);
    QVERIFY(sink.reEnabled);
    QCOMPARE(sink.colours[3], PanelColour::kButtonFace);
    QCOMPARE(sink.progressMaximum, 5000.0);
}

void PageLogicTest::liveDisplayStopEndsRunWithFinalDisplay() {
    QTemporaryDir dir;
    PublicStuff state = LoadedState(dir);
    // Only the epoch test with a maximum the run can never reach from its start would go on
    // for ever were it not for the stop button; the error test with rate 0 likewise.
    state.StopAtMaxEpochs = 0;
    state.StopAtMinError = 1;
    state.LearningRate = 0.0;
    RecordingSink sink;
    sink.stopAfterPumps = 3;
    LiveTrainingDisplay display(sink, SteppingClock{{}, std::chrono::milliseconds(5)});
    const RunResult result = TrainNetwork(state, display, 100);
    QCOMPARE(result.Outcome, RunOutcome::kInterrupted);
    QVERIFY(state.EpochCount > 1);
    QCOMPARE(sink.texts[1], EpochsLine(state.EpochCount));
    QCOMPARE(sink.colours[2], PanelColour::kRed);  // SSE still above the level
    QVERIFY(sink.reEnabled);
    QVERIFY(sink.persistent);
}

void PageLogicTest::liveDisplayKeepsChangeColourWithoutChangeLine() {
    RecordingSink sink;
    sink.colours[3] = PanelColour::kRed;
    LiveTrainingDisplay display(sink, SteppingClock{{}, std::chrono::milliseconds(20)});
    display.Printout("Epochs: 1", "Total SSE: 1.00", "", PanelColour::kGreen);
    display.StopRequested();
    QCOMPARE(sink.colours[3], PanelColour::kRed);
    QCOMPARE(sink.texts[3], std::string());
    display.Printout("Epochs: 2", "Total SSE: 0.50", "Change in SSE: 5.00E-01",
                     PanelColour::kGreen);
    display.StopRequested();
    QCOMPARE(sink.colours[3], PanelColour::kGreen);
    QCOMPARE(sink.texts[1], std::string("Epochs: 2"));
}

QTEST_GUILESS_MAIN(PageLogicTest)
#include "PageLogicTest.moc"
