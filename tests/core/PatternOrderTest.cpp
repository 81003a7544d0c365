// The permuted presentation order: the shuffle itself against values worked out by an
// independent implementation, and what it does to training runs.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/PatternOrder.h"
#include "core/TrainingRun.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

struct OrderRow {
    std::uint64_t seed;
    std::int64_t epoch;
    int count;
    std::vector<int> order;
};

// Computed by tests/core/pattern_order_reference.py: a hand-written MT19937-64 in Python
// (checked there against the C++ standard's 10000th-output value) and the shuffle written
// out from its definition, not from this program's code.
const OrderRow kOrders[] = {
    {1u, 1, 5, {1, 2, 3, 4, 5}},
    {1u, 2, 5, {5, 4, 2, 1, 3}},
    {1u, 3, 5, {3, 1, 5, 2, 4}},
    {42u, 1, 10, {2, 5, 7, 8, 6, 4, 9, 10, 3, 1}},
    {42u, 7, 10, {7, 8, 9, 1, 4, 10, 5, 2, 6, 3}},
    {0u, 1, 3, {2, 3, 1}},
    {9223372036854775807u, 1, 8, {1, 6, 5, 8, 2, 3, 4, 7}},
    {18446744073709551615u, 1, 6, {4, 3, 2, 6, 5, 1}},
    {5u, 1000, 12, {2, 6, 9, 12, 4, 3, 5, 8, 10, 11, 7, 1}},
};

TEST(PatternOrder, EpochOrdersMatchAnIndependentImplementation) {
    for (const OrderRow& row : kOrders) {
        EXPECT_EQ(EpochOrder(row.seed, row.epoch, row.count), row.order)
            << "seed " << row.seed << ", epoch " << row.epoch;
    }
}

TEST(PatternOrder, SeedPlusEpochWrapsAround) {
    const std::uint64_t top = ~std::uint64_t{0};
    // top + 2 wraps to 1, the engine of seed 0, epoch 1.
    EXPECT_EQ(EpochOrder(top, 2, 9), EpochOrder(0, 1, 9));
    EXPECT_EQ(EpochOrder(top, 1, 6), (std::vector<int>{4, 3, 2, 6, 5, 1}));
}

TEST(PatternOrder, SmallCountsNeedNoDraws) {
    EXPECT_TRUE(EpochOrder(7, 1, 0).empty());
    EXPECT_EQ(EpochOrder(7, 1, 1), std::vector<int>{1});
    // The shuffle takes n - 1 draws: the draw after a shuffle of 4 is the engine's 4th.
    std::mt19937_64 a(11), b(11);
    std::vector<int> four(4);
    ShuffleInto(a, four);
    b.discard(3);
    EXPECT_EQ(a(), b());
}

// --- Training runs -------------------------------------------------------------------

PublicStuff ThreePatternNet(bool permuted, std::uint64_t seed) {
    PublicStuff s =
        testsupport::MakeNetwork(3, 2, {1, 0, 0.5, 0, 1, 1, 1, 1, 0}, {1, 0, 0, 1, 0.5, 0.5});
    s.LearningRule = "Delta";
    s.LearningRate = 0.3;
    s.StopAtMaxEpochs = 1;
    s.PrintInterval = 1;
    s.NewRun = 1;
    s.Order.Permuted = permuted;
    s.Order.Seed = seed;
    return s;
}

void Train(PublicStuff& s, int epochs) {
    s.MaxEpochs = (s.NewRun == 1 ? 0 : s.EpochCount) + epochs;
    SilentDisplay display;
    ASSERT_EQ(TrainNetwork(s, display, epochs).Outcome, RunOutcome::kFinished);
}

TEST(PermutedTraining, OnePatternTrainsExactlyAsFileOrder) {
    for (const char* rule : {"Hebb", "Delta"}) {
        PublicStuff file = testsupport::MakeNetwork(2, 2, {1, -0.5}, {0.25, 2});
        file.LearningRule = rule;
        file.LearningRate = 0.2;
        file.StopAtMaxEpochs = 1;
        file.PrintInterval = 3;
        file.NewRun = 1;
        PublicStuff permuted = file;
        permuted.Order = {true, 99};
        Train(file, 12);
        Train(permuted, 12);
        EXPECT_EQ(permuted.Weights.Storage(), file.Weights.Storage()) << rule;
        EXPECT_EQ(permuted.TotalSSE, file.TotalSSE) << rule;
        EXPECT_EQ(permuted.SSEHistory, file.SSEHistory) << rule;
    }
}

TEST(PermutedTraining, UnitRecordsAreThoseOfTheLastPresentedPattern) {
    // Seed 1: epoch 2 presents 5, 4, 2, 1, 3 of five patterns, so its last pattern is 3.
    PublicStuff s = testsupport::MakeNetwork(1, 1, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5});
    s.LearningRule = "Hebb";
    s.LearningRate = 0.0;
    s.StopAtMaxEpochs = 1;
    s.NewRun = 1;
    s.Order = {true, 1};
    Train(s, 2);
    EXPECT_EQ(s.InputUnits(1).Activity, 3.0);
    EXPECT_EQ(s.OutputUnits(1).Error, 3.0);  // weight 0 at rate 0: error = desired
}

TEST(PermutedTraining, OrderChangesTheRunButNotTheUntrainedRow) {
    PublicStuff file = ThreePatternNet(false, 1);
    PublicStuff permuted = ThreePatternNet(true, 42);
    Train(file, 5);
    Train(permuted, 5);
    EXPECT_EQ(permuted.SSEHistory[1], file.SSEHistory[1]);
    EXPECT_NE(permuted.Weights.Storage(), file.Weights.Storage());
}

TEST(PermutedTraining, ContinuingGivesTheSameBitsAsOneLongRun) {
    PublicStuff whole = ThreePatternNet(true, 8);
    Train(whole, 10);
    PublicStuff parts = ThreePatternNet(true, 8);
    Train(parts, 3);
    parts.NewRun = 0;
    Train(parts, 4);
    Train(parts, 3);
    EXPECT_EQ(parts.EpochCount, 10);
    EXPECT_EQ(parts.Weights.Storage(), whole.Weights.Storage());
    EXPECT_EQ(parts.TotalSSE, whole.TotalSSE);
    EXPECT_EQ(parts.SSEHistory, whole.SSEHistory);
}

TEST(PermutedTraining, TotalIsSummedInPresentationOrder) {
    // Hebb at rate 0 changes nothing, so each pattern's error is its desired value squared;
    // the order only changes how the sum is rounded. Seed 1, epoch 2: 5, 4, 2, 1, 3.
    PublicStuff s = testsupport::MakeNetwork(1, 1, {0, 0, 0, 0, 0}, {1e8, 1, 1e8, 1, 1});
    s.LearningRule = "Hebb";
    s.StopAtMaxEpochs = 1;
    s.NewRun = 1;
    s.Order = {true, 1};
    Train(s, 2);
    double expected = 0.0;
    for (const int p : {5, 4, 2, 1, 3}) {
        const double d = p == 1 || p == 3 ? 1e8 : 1.0;
        expected = expected + d * d;
    }
    EXPECT_EQ(s.TotalSSE, expected);
    EXPECT_NE(s.TotalSSE, s.SSEHistory[1][2]);  // file order rounds differently
}

}  // namespace
}  // namespace mnemex
