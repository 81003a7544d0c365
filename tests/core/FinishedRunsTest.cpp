// The session's list of finished runs: what each row remembers of its run (the true epoch
// count and how it ended, not the last printout), continued runs replacing their row, and
// the limit.
#include <gtest/gtest.h>

#include <string>

#include "core/FinishedRuns.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"

using namespace mnemex;

namespace {

PublicStuff Loaded(const std::string& name) {
    PublicStuff s;
    EXPECT_FALSE(ReadTrainingFile(s, std::string(MNEMEX_EXAMPLES_DIR) + "/" + name));
    s.TrainingFileName = name;
    s.ReallocateNetwork();
    s.NewRun = 1;
    s.LearningRule = "Delta";
    s.LearningRate = 0.1;
    s.PrintInterval = 1;
    return s;
}

// Trains `s` as set up, with a display that asks to stop after `stopAfter` epochs (0: never).
RunOutcome Train(PublicStuff& s, int stopAfter = 0) {
    struct Stopping : SilentDisplay {
        int left;
        explicit Stopping(int n) : left(n) {}
        bool StopRequested() override { return left > 0 && --left == 0; }
    } display(stopAfter);
    return TrainNetwork(s, display, s.MaxEpochs).Outcome;
}

PublicStuff Example(int epochs) {
    PublicStuff s = Loaded("dependent.net");
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = epochs;
    EXPECT_EQ(Train(s), RunOutcome::kFinished);
    return s;
}

struct EndCase {
    const char* name;
    bool epochTest;
    bool errorTest;
    double minError;
    double rate;
    int stopAfter;  // the Stop button after this many epochs, 0 for never
    RunEnd end;
    const char* ending;  // how the list entry says it ended
};

class RunEnds : public testing::TestWithParam<EndCase> {};

}  // namespace

TEST_P(RunEnds, RecordTheRunsOwnEpochCountAndHowItEnded) {
    const EndCase& c = GetParam();
    PublicStuff s = Loaded("dependent.net");
    s.StopAtMaxEpochs = c.epochTest ? 1 : 0;
    s.StopAtMinError = c.errorTest ? 1 : 0;
    s.MaxEpochs = 300;
    s.MinError = c.minError;
    s.LearningRate = c.rate;
    s.PrintInterval = 7;  // printouts miss most epochs, so the history's last row is not the end
    const RunOutcome outcome = Train(s, c.stopAfter);
    FinishedRuns runs;
    const FinishedRun& run = runs.Record(s, EndOf(s, outcome));
    EXPECT_EQ(run.End, c.end);
    EXPECT_EQ(run.Epochs, s.EpochCount);
    const std::string summary = RunSummary(run);
    const std::string tail = " epochs, " + std::string(c.ending);
    EXPECT_EQ(summary.substr(summary.size() - std::min(summary.size(), tail.size())), tail)
        << summary;
}

INSTANTIATE_TEST_SUITE_P(
    FinishedRuns, RunEnds,
    testing::Values(EndCase{"MaximumEpochs", true, false, 0.0, 0.1, 0, RunEnd::kMaximumEpochs,
                            "reached the maximum epochs"},
                    EndCase{"ErrorLevelReached", false, true, 0.7, 0.1, 0, RunEnd::kErrorLevel,
                            "reached the error level"},
                    EndCase{"BothTestsErrorFirst", true, true, 0.7, 0.1, 0, RunEnd::kErrorLevel,
                            "reached the error level"},
                    EndCase{"StoppedByTheStudent", false, true, 0.0, 0.1, 123, RunEnd::kStopped,
                            "stopped with Stop Training"},
                    EndCase{"TrainingError", true, false, 0.0, 150.0, 0, RunEnd::kTrainingError,
                            "ended by a training error"}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(FinishedRuns, EpochCountIsTheRunsNotTheLastHistoryRow) {
    // Beyond the history's rows, and between printouts, the run still counts every epoch.
    PublicStuff s = Loaded("dependent.net");
    s.StopAtMaxEpochs = 0;
    s.StopAtMinError = 1;
    s.MinError = 0.0;
    ASSERT_EQ(Train(s, kHistoryRows + 500), RunOutcome::kInterrupted);
    FinishedRuns runs;
    const FinishedRun& run = runs.Record(s, EndOf(s, RunOutcome::kInterrupted));
    EXPECT_EQ(run.Epochs, kHistoryRows + 500);
    EXPECT_EQ(run.History.size(), std::size_t(kHistoryRows));  // full: later epochs not kept
    EXPECT_LT(run.History.back().first, double(run.Epochs));
    EXPECT_EQ(RunSummary(run),
              "dependent.net, Delta, rate 0.1, file order: 2,500 epochs, stopped with Stop "
              "Training");
}

TEST(FinishedRuns, NewRunsAddContinuedRunsExtend) {
    PublicStuff s = Example(10);
    FinishedRuns runs;
    EXPECT_EQ(runs.Record(s, RunEnd::kMaximumEpochs).Id, 1);
    ASSERT_TRUE(runs.SetKept(1, true));
    // Continue: same history plus more rows.
    s.NewRun = 0;
    s.MaxEpochs = 20;
    ASSERT_EQ(Train(s), RunOutcome::kFinished);
    const FinishedRun& continued = runs.Record(s, EndOf(s, RunOutcome::kFinished));
    EXPECT_EQ(continued.Id, 1);
    EXPECT_TRUE(continued.Kept);
    EXPECT_EQ(continued.History.size(), 21u);
    EXPECT_EQ(continued.History.back().first, 20.0);
    EXPECT_EQ(continued.Epochs, 20);
    // A new run on Hebb.
    PublicStuff hebb = Example(5);
    hebb.LearningRule = "Hebb";
    hebb.LearningRate = 0.05;
    hebb.Order = {true, 7};
    EXPECT_EQ(runs.Record(hebb, RunEnd::kTrainingError).Id, 2);
    EXPECT_EQ(runs.All().size(), 2u);
    ASSERT_EQ(runs.Kept().size(), 1u);
    EXPECT_EQ(RunLegend(*runs.Kept()[0]), "dependent.net, Delta, rate 0.1, file order");
    EXPECT_EQ(RunLegend(runs.All()[1]),
              "dependent.net, Hebb, rate 0.05, permuted order, seed 7, stopped by an error");
    EXPECT_EQ(RunSummary(runs.All()[1]),
              "dependent.net, Hebb, rate 0.05, permuted order, seed 7: 5 epochs, ended by a "
              "training error");
    EXPECT_FALSE(runs.SetKept(9, true));
}

TEST(FinishedRuns, ForgetsTheOldestUnkeptRunBeyondTheLimit) {
    const PublicStuff s = Example(1);
    FinishedRuns runs;
    runs.Record(s, RunEnd::kMaximumEpochs);
    runs.SetKept(1, true);
    for (std::size_t k = 1; k <= FinishedRuns::kLimit; ++k)
        runs.Record(s, RunEnd::kMaximumEpochs);
    EXPECT_EQ(runs.All().size(), FinishedRuns::kLimit);
    EXPECT_EQ(runs.All()[0].Id, 1);  // kept, so still there
    EXPECT_EQ(runs.All()[1].Id, 3);  // run 2 was the oldest not kept
}
