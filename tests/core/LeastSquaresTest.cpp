// The least-squares weights and the fixed-weight SSE on networks whose optimum is known.
// (Agreement with numpy's lstsq on random and rank-deficient inputs is checked through
// the batch command by tests/cli/check_experiments.py.)

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/LeastSquares.h"
#include "core/RunTimeError.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

PublicStuff DependentNet() {
    PublicStuff s;
    EXPECT_FALSE(ReadTrainingFile(s, MNEMEX_EXAMPLES_DIR "/dependent.net"));
    s.ReallocateNetwork();
    return s;
}

TEST(LeastSquares, DependentInputsCannotDoBetterThanTwoThirds) {
    // Pattern 3's inputs are the sum of patterns 1 and 2 but its target (0, 0) is not the
    // sum (1, 1) of theirs: per output unit the best responses are 2/3, -1/3 and 1/3 away
    // from their targets by 1/3 each, so each unit costs 1/3 and the two cost 2/3.
    const PublicStuff s = DependentNet();
    const LeastSquaresResult r = SolveLeastSquares(s);
    ASSERT_TRUE(r.Solved);
    EXPECT_EQ(r.Rank, 2);
    EXPECT_NEAR(r.TotalSSE, 2.0 / 3.0, 1e-14);
}

TEST(LeastSquares, DeltaEpochTotalFallsBelowTheFixedWeightOptimum) {
    PublicStuff s = DependentNet();
    s.LearningRule = "Delta";
    s.LearningRate = 0.1;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = 500;
    s.PrintInterval = 0;
    s.NewRun = 1;
    SilentDisplay display;
    ASSERT_EQ(TrainNetwork(s, display, 500).Outcome, RunOutcome::kFinished);
    const double optimum = SolveLeastSquares(s).TotalSSE;
    EXPECT_LT(s.TotalSSE, optimum);                    // the epoch total: about 0.46
    EXPECT_GE(FixedWeightSSE(s, s.Weights), optimum);  // the same weights, held fixed
}

TEST(LeastSquares, IndependentInputsAreRecalledPerfectly) {
    // Three independent input vectors: W* maps each to its target exactly.
    const PublicStuff s =
        testsupport::MakeNetwork(3, 2, {1, 0, 0, 1, 1, 0, 0, 2, 1}, {1, 2, -1, 0.5, 3, -2});
    const LeastSquaresResult r = SolveLeastSquares(s);
    EXPECT_EQ(r.Rank, 3);
    EXPECT_NEAR(r.TotalSSE, 0.0, 1e-25);
}

TEST(LeastSquares, FewerPatternsThanInputsGiveTheMinimumNormWeights) {
    // One pattern (3, 4) with target 5: the pseudoinverse picks w = 5 (3, 4) / 25.
    const PublicStuff s = testsupport::MakeNetwork(2, 1, {3, 4}, {5});
    const LeastSquaresResult r = SolveLeastSquares(s);
    EXPECT_NEAR(r.Weights.Weight(1, 1), 0.6, 1e-15);
    EXPECT_NEAR(r.Weights.Weight(1, 2), 0.8, 1e-15);
    EXPECT_EQ(r.Rank, 1);
}

TEST(LeastSquares, DegenerateInputsGiveZeroWeights) {
    struct Row {
        const char* name;
        PublicStuff state;
        double sse;  // the squared targets: nothing can be recalled
    };
    Row rows[] = {
        {"zero inputs", testsupport::MakeNetwork(2, 1, {0, 0, 0, 0}, {1, 2}), 5.0},
        {"no input units", testsupport::MakeNetwork(0, 2, {}, {1, 2, 3, 0}), 14.0},
        {"no patterns", testsupport::MakeNetwork(2, 2, {}, {}), 0.0},
        {"no output units", testsupport::MakeNetwork(2, 0, {1, 2}, {}), 0.0},
    };
    for (Row& row : rows) {
        const LeastSquaresResult r = SolveLeastSquares(row.state);
        ASSERT_TRUE(r.Solved) << row.name;
        EXPECT_EQ(r.Rank, 0) << row.name;
        EXPECT_EQ(r.TotalSSE, row.sse) << row.name;
        for (const double w : r.Weights.Storage())
            EXPECT_EQ(w, 0.0) << row.name;
    }
}

TEST(LeastSquares, TooLargeANetworkIsSkippedWithANote) {
    EXPECT_TRUE(LeastSquaresFits(784, 100));
    EXPECT_TRUE(LeastSquaresFits(1000, 2000));
    EXPECT_FALSE(LeastSquaresFits(2000, 2000));
    EXPECT_FALSE(LeastSquaresFits(32767, 32767));
    const PublicStuff s = testsupport::MakeNetwork(3, 1, {1, 2, 3}, {1});
    // Work 3 inputs x 1 pattern x 1 = 3: solved under a limit of 8, skipped under 2.
    const LeastSquaresResult r = SolveLeastSquares(s, 8.0);
    EXPECT_TRUE(r.Solved);
    const LeastSquaresResult skipped = SolveLeastSquares(s, 2.0);
    EXPECT_FALSE(skipped.Solved);
    EXPECT_EQ(skipped.Note,
              "The least-squares weights were not computed: 3 inputs by 1 patterns are too "
              "many to decompose in a few seconds.");
}

TEST(LeastSquares, FixedWeightSSERecallsEveryPatternWithTheGivenWeights) {
    // Responses p1 (0.5, 1.5), p2 (0, 0.75); errors p1 (0.5, -2), p2 (0.25, 1.25).
    const PublicStuff s = testsupport::SmallTrainedNetwork();
    EXPECT_EQ(FixedWeightSSE(s, s.Weights), 0.25 + 4 + 0.0625 + 1.5625);
    WeightMatrix zero;
    zero.Reallocate(2, 2);
    EXPECT_EQ(FixedWeightSSE(s, zero), 1 + 0.25 + 0.0625 + 4);  // the squared targets
    WeightMatrix wrongSize;
    wrongSize.Reallocate(2, 3);
    EXPECT_THROW(FixedWeightSSE(s, wrongSize), RunTimeException);
}

TEST(LeastSquares, OverflowingRecallIsAnOverflow) {
    const PublicStuff s = testsupport::MakeNetwork(1, 1, {1e200}, {1}, {1e200});
    try {
        FixedWeightSSE(s, s.Weights);
        ADD_FAILURE() << "no error";
    } catch (const RunTimeException& e) {
        EXPECT_EQ(e.Error().Number, kOverflow);
    }
}

}  // namespace
}  // namespace mnemex
