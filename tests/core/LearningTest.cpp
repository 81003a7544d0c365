// The two learning rules, one step at a time.

#include <gtest/gtest.h>

#include <cmath>

#include "TestNetworks.h"
#include "core/Learning.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {
namespace {

using testing::MakeState;

// Two patterns of two inputs and two outputs with exact binary values.
PublicStuff TwoPatterns(const char* rule, double rate) {
    PublicStuff s = MakeState(2, 2, {1, 0.5, -2, 1}, {0.25, 1, 1, -0.5});
    s.LearningRule = rule;
    s.LearningRate = rate;
    return s;
}

TEST(TrainHebb, ChangeIsRateTimesInputTimesDesired) {
    PublicStuff s = TwoPatterns("Hebb", 0.5);
    s.Weights.SetWeight(1, 2, 3);  // Hebb ignores the weights
    TrainHebb(s, 1);
    EXPECT_EQ(s.Weights.Change(1, 1), 0.5 * 1 * 0.25);
    EXPECT_EQ(s.Weights.Change(2, 2), 0.5 * 0.5 * 1);
    EXPECT_EQ(s.Weights.Weight(1, 2), 3 + 0.5 * 0.5 * 0.25);
    EXPECT_EQ(s.Weights.Weight(2, 1), 0.5 * 1 * 1);
    // After the step the output units hold the desired values.
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.25);
    EXPECT_EQ(s.OutputUnits(2).Activity, 1.0);
    EXPECT_EQ(s.InputUnits(2).Activity, 0.5);
}

TEST(TrainHebb, FirstEpochFromZeroSumsTheChangesOfAllPatterns) {
    PublicStuff s = TwoPatterns("Hebb", 0.25);
    TrainHebb(s, 1);
    TrainHebb(s, 2);
    // weight (j, i) = rate * sum over p of input(i, p) * desired(j, p)
    EXPECT_EQ(s.Weights.Weight(1, 1), 0.25 * 1 * 0.25 + 0.25 * -2 * 1);
    EXPECT_EQ(s.Weights.Weight(1, 2), 0.25 * 0.5 * 0.25 + 0.25 * 1 * 1);
    EXPECT_EQ(s.Weights.Weight(2, 1), 0.25 * 1 * 1 + 0.25 * -2 * -0.5);
    EXPECT_EQ(s.Weights.Weight(2, 2), 0.25 * 0.5 * 1 + 0.25 * 1 * -0.5);
}

TEST(TrainDelta, ChangeIsRateTimesInputTimesErrorBeforeTheStep) {
    PublicStuff s = TwoPatterns("Delta", 0.5);
    s.Weights.SetWeight(1, 1, 0.25);  // response of unit 1 to pattern 1: 0.25, error 0
    s.Weights.SetWeight(2, 2, 1);     // response of unit 2: 0.5, error 0.5
    TrainDelta(s, 1);
    EXPECT_EQ(s.Weights.Weight(1, 1), 0.25);
    EXPECT_EQ(s.Weights.Change(1, 1), 0.0);
    EXPECT_EQ(s.Weights.Change(2, 1), 0.5 * 1 * 0.5);
    EXPECT_EQ(s.Weights.Weight(2, 2), 1 + 0.5 * 0.5 * 0.5);
    // After a Delta step the output activities hold the errors.
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.0);
    EXPECT_EQ(s.OutputUnits(2).Activity, 0.5);
}

TEST(TrainDelta, RateZeroNeverChangesTheWeights) {
    PublicStuff s = TwoPatterns("Delta", 0.0);
    s.Weights.SetWeight(1, 2, 0.75);
    for (int epoch = 0; epoch < 3; ++epoch) {
        TrainDelta(s, 1);
        TrainDelta(s, 2);
    }
    EXPECT_EQ(s.Weights.Weight(1, 2), 0.75);
    EXPECT_EQ(s.Weights.Weight(1, 1), 0.0);
}

TEST(LearningRule, OnlyTheExactNameHebbSelectsHebb) {
    PublicStuff s;
    for (const char* name : {"Hebb"}) {
        s.LearningRule = name;
        EXPECT_TRUE(UsesHebbRule(s)) << name;
    }
    for (const char* name : {"Delta", "hebb", "HEBB", "", "Hebb "}) {
        s.LearningRule = name;
        EXPECT_FALSE(UsesHebbRule(s)) << name;
    }
}

TEST(LearningStep, OverflowLeavesWeightsAndUnitsAsTheyWere) {
    PublicStuff s = MakeState(2, 1, {1e200, 1, 1, 1}, {1e200, 1});
    s.LearningRate = 1.0;
    TrainHebb(s, 2);  // a normal step first, so there is something to keep
    ComputeOutputs(s, 2);
    const double w1 = s.Weights.Weight(1, 1), change = s.Weights.Change(1, 1);
    const UnitRecord out = s.OutputUnits(1);
    try {
        TrainHebb(s, 1);  // 1e200 * 1e200 overflows
        FAIL() << "expected an overflow";
    } catch (const RunTimeException& e) {
        EXPECT_EQ(e.Error().Number, kOverflow);
    }
    EXPECT_EQ(s.Weights.Weight(1, 1), w1);
    EXPECT_EQ(s.Weights.Change(1, 1), change);
    EXPECT_EQ(s.OutputUnits(1).Activity, out.Activity);
    EXPECT_EQ(s.InputUnits(1).Activity, 1.0);
    EXPECT_TRUE(std::isfinite(s.Weights.Weight(1, 2)));
}

TEST(LearningStep, DeltaOverflowLeavesWeightsAsTheyWere) {
    PublicStuff s = MakeState(1, 1, {1e160}, {1});
    s.LearningRule = "Delta";
    s.LearningRate = 1e160;
    s.Weights.SetWeight(1, 1, 2);
    EXPECT_THROW(TrainDelta(s, 1), RunTimeException);
    EXPECT_EQ(s.Weights.Weight(1, 1), 2.0);
}

}  // namespace
}  // namespace mnemex
