// The training run as the setup page and the batch command see it: epochs, display,
// history, stopping tests, continuing and failures.

#include <gtest/gtest.h>

#include <cmath>

#include "TestNetworks.h"
#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/TrainingRun.h"

namespace mnemex {
namespace {

using testing::MakeState;
using testing::RecordingDisplay;

// Three patterns of three inputs and two outputs that the Delta rule learns slowly.
PublicStuff Classroom(const char* rule, double rate) {
    PublicStuff s = MakeState(3, 2, {1, 0, 1, 0, 1, 1, 1, 1, 0}, {1, 0, 0, 1, 1, 1});
    s.LearningRule = rule;
    s.LearningRate = rate;
    s.StopAtMaxEpochs = 1;
    s.StopAtMinError = 0;
    s.MaxEpochs = 100;
    s.MinError = 0.05;
    s.PrintInterval = 10;
    s.TrainingFileName = "class.net";
    return s;
}

RunResult Train(PublicStuff& s, RecordingDisplay& d) {
    return TrainNetwork(s, d, s.MaxEpochs);
}

bool AllFinite(const PublicStuff& s) {
    for (double w : s.Weights.Storage())
        if (!std::isfinite(w))
            return false;
    for (int j = 1; j <= s.NumOutputs; ++j) {
        const UnitRecord& u = s.OutputUnits(j);
        if (!std::isfinite(u.NetInput) || !std::isfinite(u.Activity) || !std::isfinite(u.Error))
            return false;
    }
    return std::isfinite(s.TotalSSE);
}

TEST(TrainingRun, RunsExactlyTheRequestedEpochsAndRecordsEveryPrintout) {
    PublicStuff s = Classroom("Delta", 0.1);
    s.MaxEpochs = 25;
    RecordingDisplay d;
    EXPECT_EQ(Train(s, d).Outcome, RunOutcome::kFinished);
    EXPECT_EQ(s.EpochCount, 25);
    ASSERT_EQ(s.SSECount, 3);  // epoch 0, 10, 20: epoch 25 is no printout epoch
    EXPECT_EQ(s.SSEHistory[1][1], 0);
    EXPECT_EQ(s.SSEHistory[2][1], 10);
    EXPECT_EQ(s.SSEHistory[3][1], 20);
    EXPECT_EQ(d.Printouts.size(), 2u);
    EXPECT_EQ(d.ProgressSteps, 25);
    ASSERT_EQ(d.ProgressMaxima.size(), 1u);
    EXPECT_EQ(d.ProgressMaxima[0], 25);
    EXPECT_EQ(d.TrainingLines, std::vector<std::string>{"Training: class.net"});
    EXPECT_EQ(d.ReEnabled, 1);
    ASSERT_EQ(d.Finals.size(), 1u);
    EXPECT_EQ(d.Finals[0].Epochs, "Epochs: 25");
}

TEST(TrainingRun, FirstHistoryRowIsTheUntrainedError) {
    PublicStuff s = Classroom("Hebb", 0.1);
    RecordingDisplay d;
    Train(s, d);
    // All weights start at 0, so every error is the desired value: 1 + 1 + 2.
    EXPECT_EQ(s.SSEHistory[1][2], 4.0);
    // Starting again gives the same first row.
    ResetWeights(s);
    s.NewRun = 1;
    Train(s, d);
    EXPECT_EQ(s.SSEHistory[1][2], 4.0);
    EXPECT_EQ(s.EpochCount, 100);
}

TEST(TrainingRun, PrintoutShowsLinesAndColourSignals) {
    PublicStuff s = Classroom("Delta", 0.1);
    s.PrintInterval = 1;
    s.MaxEpochs = 3;
    RecordingDisplay d;
    Train(s, d);
    ASSERT_EQ(d.Printouts.size(), 3u);
    EXPECT_EQ(d.Printouts[0].Epochs, "Epochs: 1");
    EXPECT_EQ(d.Printouts[0].Change, "");  // no change is defined on epoch 1
    EXPECT_EQ(d.Printouts[1].Epochs, "Epochs: 2");
    EXPECT_EQ(d.Printouts[1].Change.rfind("Change in SSE: ", 0), 0u);
    EXPECT_EQ(d.Printouts[1].Colour, PanelColour::kGreen);  // Delta lowers the error
    // The displayed total is the one recorded in the history for that epoch.
    EXPECT_EQ(d.Printouts[2].Total, "Total SSE: " + FormatStandard(s.SSEHistory[4][2]));
    EXPECT_EQ(s.SSEHistory[4][1], 3);
}

TEST(TrainingRun, RisingErrorShowsRed) {
    PublicStuff s = Classroom("Hebb", 0.5);  // Hebb keeps adding: the error grows
    s.PrintInterval = 1;
    s.MaxEpochs = 4;
    RecordingDisplay d;
    Train(s, d);
    ASSERT_EQ(d.Printouts.size(), 4u);
    EXPECT_EQ(d.Printouts[3].Colour, PanelColour::kRed);
    EXPECT_EQ(d.Finals[0].Colour, PanelColour::kRed);  // final total above MinError
}

TEST(TrainingRun, FinalDisplayGreenBelowMinErrorEvenWithoutTheErrorTest) {
    PublicStuff s = MakeState(2, 1, {1, 0, 0, 1}, {1, 0.5});
    s.LearningRule = "Delta";
    s.LearningRate = 0.5;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = 60;
    s.MinError = 0.05;
    s.PrintInterval = 10;
    RecordingDisplay d;
    TrainNetwork(s, d, 60);
    ASSERT_EQ(d.Finals.size(), 1u);
    EXPECT_LT(s.TotalSSE, 0.05);
    EXPECT_EQ(d.Finals[0].Colour, PanelColour::kGreen);
    EXPECT_EQ(d.Finals[0].Total, "Total SSE: 0.00");
}

TEST(TrainingRun, PrintIntervalZeroRecordsOnlyTheFirstRow) {
    for (int interval : {0, -5}) {
        PublicStuff s = Classroom("Delta", 0.1);
        s.PrintInterval = interval;
        RecordingDisplay d;
        Train(s, d);
        EXPECT_EQ(s.SSECount, 1) << interval;
        EXPECT_TRUE(d.Printouts.empty());
        EXPECT_EQ(d.Finals.size(), 1u);
    }
}

TEST(TrainingRun, HistoryStopsAt2000RowsWhileTrainingGoesOn) {
    PublicStuff s = Classroom("Delta", 0.01);
    s.PrintInterval = 1;
    s.MaxEpochs = 2300;
    RecordingDisplay d;
    Train(s, d);
    EXPECT_EQ(s.EpochCount, 2300);
    EXPECT_EQ(s.SSECount, 2000);
    EXPECT_EQ(s.SSEHistory[2000][1], 1999);
    EXPECT_EQ(d.Printouts.size(), 2300u);
    EXPECT_EQ(d.Printouts.back().Epochs, "Epochs: 2300");
}

TEST(TrainingRun, ErrorTestStopsOnlyStrictlyBelowTheLevel) {
    // With rate 0 every epoch has the same total SSE.
    PublicStuff probe = Classroom("Delta", 0.0);
    RecordingDisplay d0;
    probe.MaxEpochs = 1;
    Train(probe, d0);
    const double total = probe.TotalSSE;

    PublicStuff equal = Classroom("Delta", 0.0);
    equal.StopAtMinError = 1;
    equal.MinError = total;
    equal.MaxEpochs = 5;
    RecordingDisplay d1;
    Train(equal, d1);
    EXPECT_EQ(equal.EpochCount, 5);

    PublicStuff above = Classroom("Delta", 0.0);
    above.StopAtMinError = 1;
    above.MinError = std::nextafter(total, 1e9);
    above.MaxEpochs = 5;
    RecordingDisplay d2;
    Train(above, d2);
    EXPECT_EQ(above.EpochCount, 1);
}

TEST(TrainingRun, ErrorTestAloneHidesTheProgressBar) {
    PublicStuff s = Classroom("Delta", 0.5);
    s.StopAtMaxEpochs = 0;
    s.StopAtMinError = 1;
    s.MinError = 0.01;
    RecordingDisplay d;
    EXPECT_EQ(Train(s, d).Outcome, RunOutcome::kFinished);
    EXPECT_LT(s.TotalSSE, 0.01);
    EXPECT_TRUE(d.ProgressMaxima.empty());
    EXPECT_EQ(d.ProgressSteps, 0);
}

TEST(TrainingRun, ContinuingKeepsWeightsEpochsAndHistory) {
    PublicStuff s = Classroom("Delta", 0.1);
    RecordingDisplay d;
    Train(s, d);
    ASSERT_EQ(s.SSECount, 11);
    s.NewRun = 0;
    s.MaxEpochs = 200;
    s.PrintInterval = 30;
    RecordingDisplay d2;
    TrainNetwork(s, d2, 100);
    EXPECT_EQ(s.EpochCount, 200);
    EXPECT_TRUE(d2.TrainingLines.empty());  // the "Training: " line stays as it was
    // Printouts count from the start of this call: epochs 130, 160, 190.
    ASSERT_EQ(s.SSECount, 14);
    EXPECT_EQ(s.SSEHistory[12][1], 130);
    EXPECT_EQ(s.SSEHistory[14][1], 190);
    EXPECT_EQ(d2.ProgressMaxima[0], 100);
    ASSERT_EQ(d2.Printouts.size(), 3u);
    EXPECT_FALSE(d2.Printouts[0].Change.empty());

    // The same 200 epochs in one run give the same weights, bit for bit.
    PublicStuff once = Classroom("Delta", 0.1);
    once.MaxEpochs = 200;
    RecordingDisplay d3;
    Train(once, d3);
    EXPECT_EQ(once.Weights.Storage(), s.Weights.Storage());
    EXPECT_EQ(once.TotalSSE, s.TotalSSE);
}

TEST(TrainingRun, ResultCarriesTheLastChangeInSSE) {
    PublicStuff s = Classroom("Delta", 0.1);
    s.MaxEpochs = 9;
    s.PrintInterval = 1;
    RecordingDisplay d;
    const RunResult r = Train(s, d);
    ASSERT_TRUE(r.Change.has_value());
    // History rows 9 and 10 hold epochs 8 and 9; a fall in error is a positive change.
    EXPECT_EQ(*r.Change, s.SSEHistory[9][2] - s.SSEHistory[10][2]);
    EXPECT_GT(*r.Change, 0.0);
    EXPECT_EQ(d.Finals[0].Change, ChangeInSSELine(*r.Change));

    // A continued run of one epoch still has a change: from the earlier run's last total.
    s.NewRun = 0;
    s.MaxEpochs = 10;
    const double before = s.TotalSSE;
    RecordingDisplay d2;
    const RunResult more = TrainNetwork(s, d2, 1);
    ASSERT_TRUE(more.Change.has_value());
    EXPECT_EQ(*more.Change, before - s.TotalSSE);
}

TEST(TrainingRun, MaximumAlreadyReachedStopsAfterOneEpoch) {
    // A maximum at or below the epoch count the run starts from can never be met exactly.
    PublicStuff s = Classroom("Delta", 0.1);
    s.MaxEpochs = 0;
    RecordingDisplay d;
    const RunResult r = Train(s, d);
    EXPECT_EQ(r.Outcome, RunOutcome::kFinished);
    EXPECT_EQ(s.EpochCount, 1);
    EXPECT_TRUE(d.Finals[0].Change.empty());
    EXPECT_FALSE(r.Change.has_value());
}

TEST(TrainingRun, InterruptEndsWithTheFinalDisplay) {
    PublicStuff s = Classroom("Delta", 0.1);
    s.StopAtMaxEpochs = 0;
    s.StopAtMinError = 1;
    s.MinError = -1;  // can never be reached
    RecordingDisplay d;
    d.StopAfterEpochs = 7;
    EXPECT_EQ(Train(s, d).Outcome, RunOutcome::kInterrupted);
    EXPECT_EQ(s.EpochCount, 7);
    EXPECT_EQ(d.Finals.size(), 1u);
    EXPECT_EQ(d.ReEnabled, 1);
}

TEST(TrainingRun, DivergenceEndsWithOverflowAndNothingInfinite) {
    PublicStuff s = Classroom("Delta", 10.0);
    s.MaxEpochs = 100000;
    RecordingDisplay d;
    const RunResult r = Train(s, d);
    ASSERT_EQ(r.Outcome, RunOutcome::kFailed);
    EXPECT_EQ(r.Error.Number, kOverflow);
    EXPECT_TRUE(AllFinite(s));
    EXPECT_GT(s.EpochCount, 1);
    EXPECT_LT(s.EpochCount, 100000);
    // The run ends at once: no final display and the controls stay disabled.
    EXPECT_TRUE(d.Finals.empty());
    EXPECT_EQ(d.ReEnabled, 0);
    EXPECT_NE(TrainingErrorMessage(r.Error).find("\rOverflow "), std::string::npos);
}

TEST(TrainingRun, HebbOverflowIsReportedWithoutInfinities) {
    PublicStuff s = Classroom("Hebb", 1e300);
    RecordingDisplay d;
    const RunResult r = Train(s, d);
    ASSERT_EQ(r.Outcome, RunOutcome::kFailed);
    EXPECT_EQ(r.Error.Number, kOverflow);
    EXPECT_TRUE(AllFinite(s));
}

TEST(TrainingRun, TooManyPatternsForTheLoopCounters) {
    PublicStuff s = Classroom("Delta", 0.1);
    s.NumPatterns = 40000;  // as a file could declare; the loops cannot count that far
    RecordingDisplay d;
    const RunResult r = Train(s, d);
    EXPECT_EQ(r.Outcome, RunOutcome::kFailed);
    EXPECT_EQ(r.Error.Number, kOverflow);
}

TEST(TrainingRun, ZeroPatternsTrainsNothingButStillCountsEpochs) {
    PublicStuff s = MakeState(2, 2, {}, {});
    s.LearningRule = "Delta";
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = 5;
    s.PrintInterval = 1;
    RecordingDisplay d;
    EXPECT_EQ(TrainNetwork(s, d, 5).Outcome, RunOutcome::kFinished);
    EXPECT_EQ(s.EpochCount, 5);
    EXPECT_EQ(s.TotalSSE, 0.0);
    EXPECT_EQ(s.SSECount, 6);
}

TEST(TrainingErrorMessages, OutOfMemoryAndGeneralTexts) {
    EXPECT_EQ(TrainingErrorMessage(MakeError(kOutOfMemory)),
              "Out of memory error: \rPlease try closing some applications and retrying.\r");
    const std::string general = TrainingErrorMessage(MakeError(kTypeMismatch));
    EXPECT_EQ(general,
              "This version of the code has encountered an error.\r"
              "It would be helpful if you could report this error to " +
                  std::string(kMaintainerAddress) +
                  "\r"
                  "Please include the following error message as well as\r"
                  "where the error occured and what version of windows you are using:\r"
                  "Type mismatch ");
    EXPECT_EQ(SpreadsheetErrorMessage(MakeError(kOverflow)).substr(0, 62),
              "This version of the code has encountered an error with excel.\r");
}

}  // namespace
}  // namespace mnemex
