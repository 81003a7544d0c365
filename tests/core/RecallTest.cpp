// Recall: what a pattern produces on the output units, and its squared error.

#include <gtest/gtest.h>

#include <cmath>

#include "TestNetworks.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {
namespace {

using testing::MakeState;

TEST(ComputeOutputs, WorkedExampleOfOneOutputAndTwoInputs) {
    PublicStuff s = MakeState(2, 1, {1, 2}, {1});
    s.Weights.SetWeight(1, 1, 0.5);
    s.Weights.SetWeight(1, 2, -0.25);
    ComputeOutputs(s, 1);
    EXPECT_EQ(s.OutputUnits(1).NetInput, 0.0);
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.0);
    EXPECT_EQ(s.OutputUnits(1).Error, 1.0);
    EXPECT_EQ(PatternSSE(s), 1.0);
    EXPECT_EQ(s.InputUnits(1).Activity, 1.0);
    EXPECT_EQ(s.InputUnits(2).Activity, 2.0);
}

TEST(ComputeOutputs, ZeroWeightsGiveTheDesiredValuesAsErrors) {
    PublicStuff s = MakeState(2, 3, {1, 2, 3, 4}, {0.5, -1, 2, 3, 0, -0.25});
    ComputeOutputs(s, 2);
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.0);
    EXPECT_EQ(s.OutputUnits(1).Error, 3.0);
    EXPECT_EQ(s.OutputUnits(2).Error, 0.0);
    EXPECT_EQ(s.OutputUnits(3).Error, -0.25);
    EXPECT_EQ(PatternSSE(s), 9.0 + 0.0 + 0.0625);
}

TEST(ComputeOutputs, EachOutputSumsItsOwnWeightedInputs) {
    // Weights chosen so that every product and sum is exact.
    PublicStuff s = MakeState(3, 2, {1, 2, 4}, {10, 20});
    const double w[2][3] = {{1, 0.5, 0.25}, {-1, 2, 0.125}};
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 3; ++i)
            s.Weights.SetWeight(j, i, w[j - 1][i - 1]);
    ComputeOutputs(s, 1);
    EXPECT_EQ(s.OutputUnits(1).NetInput, 1 + 1 + 1.0);
    EXPECT_EQ(s.OutputUnits(2).NetInput, -1 + 4 + 0.5);
    EXPECT_EQ(s.OutputUnits(2).Error, 20 - 3.5);
}

TEST(ComputeOutputs, AllZeroInputGivesZeroActivityWhateverTheWeights) {
    PublicStuff s = MakeState(2, 2, {0, 0}, {1, 1});
    s.Weights.SetWeight(1, 1, 7);
    s.Weights.SetWeight(2, 2, -3);
    ComputeOutputs(s, 1);
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.0);
    EXPECT_EQ(s.OutputUnits(2).Activity, 0.0);
}

TEST(ComputeOutputs, NoInputUnitsMeansZeroNetInput) {
    PublicStuff s = MakeState(0, 2, {}, {1, 2});
    ASSERT_EQ(s.NumPatterns, 1);
    ComputeOutputs(s, 1);
    EXPECT_EQ(s.OutputUnits(1).NetInput, 0.0);
    EXPECT_EQ(PatternSSE(s), 5.0);
}

TEST(PatternSSE, NoOutputUnitsMeansZeroError) {
    PublicStuff s = MakeState(2, 0, {1, 1}, {});
    ComputeOutputs(s, 1);
    EXPECT_EQ(PatternSSE(s), 0.0);
}

TEST(PatternSSE, MeasuresWithoutRecomputing) {
    PublicStuff s = MakeState(1, 2, {1}, {3, 4});
    ComputeOutputs(s, 1);
    const double first = PatternSSE(s);
    s.Weights.SetWeight(1, 1, 3);  // no new ComputeOutputs: the records still hold the old errors
    EXPECT_EQ(PatternSSE(s), first);
    EXPECT_EQ(first, 25.0);
}

TEST(ComputeOutputs, OverflowRaisesErrorAndStoresNothing) {
    PublicStuff s = MakeState(2, 1, {1, 2, 1e300, 1e300}, {1, 1});
    ComputeOutputs(s, 1);
    const UnitRecord before = s.OutputUnits(1);
    s.Weights.SetWeight(1, 1, 1e300);
    s.Weights.SetWeight(1, 2, 1e300);
    try {
        ComputeOutputs(s, 2);
        FAIL() << "expected an overflow";
    } catch (const RunTimeException& e) {
        EXPECT_EQ(e.Error().Number, kOverflow);
        EXPECT_EQ(e.Error().Description, "Overflow");
    }
    EXPECT_EQ(s.OutputUnits(1).NetInput, before.NetInput);
    EXPECT_EQ(s.OutputUnits(1).Error, before.Error);
    EXPECT_EQ(s.InputUnits(1).Activity, 1.0);
}

TEST(PatternSSE, OverflowOfTheSumRaisesError) {
    PublicStuff s = MakeState(1, 2, {0}, {1e200, 1e200});
    ComputeOutputs(s, 1);
    EXPECT_THROW(PatternSSE(s), RunTimeException);
}

TEST(ComputeOutputs, PatternOutsideTheStoreIsRefused) {
    PublicStuff s = MakeState(1, 1, {1, 2}, {1, 2});
    for (int p : {0, 3, -1}) {
        try {
            ComputeOutputs(s, p);
            FAIL() << "pattern " << p << " accepted";
        } catch (const RunTimeException& e) {
            EXPECT_EQ(e.Error().Number, kSubscriptOutOfRange);
        }
    }
}

TEST(RecallVector, TrainingPatternGivesItsOwnResponsesAndChangesNothing) {
    PublicStuff s = MakeState(3, 2, {0.1, 0.7, -0.3, 2, 0, 1}, {1, 0, 0, 1});
    const double rows[] = {0.3, -1.1, 0.25, 0.6, -0.7, 0.9};  // input unit by input unit
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 2; ++j)
            s.Weights.SetWeight(j, i, rows[(i - 1) * 2 + (j - 1)]);
    ComputeOutputs(s, 2);
    const UnitRecord lastOut = s.OutputUnits(1);
    for (int p = 1; p <= 2; ++p) {
        PublicStuff probe = s;
        ComputeOutputs(probe, p);
        const std::vector<double> x(s.InputPatterns.Pattern(p), s.InputPatterns.Pattern(p) + 3);
        const std::vector<double> out = RecallVector(s, x);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0], probe.OutputUnits(1).Activity);
        EXPECT_EQ(out[1], probe.OutputUnits(2).Activity);
    }
    EXPECT_EQ(s.OutputUnits(1).Activity, lastOut.Activity);
}

TEST(RecallVector, WrongLengthAndOverflowAreRefused) {
    PublicStuff s = MakeState(2, 1, {1, 1}, {0});
    s.Weights.SetWeight(1, 1, 1e300);
    s.Weights.SetWeight(1, 2, 1e300);
    const struct {
        std::vector<double> x;
        int number;
    } cases[] = {
        {{1}, kSubscriptOutOfRange}, {{1, 2, 3}, kSubscriptOutOfRange}, {{1e10, 1}, kOverflow}};
    for (const auto& c : cases) {
        try {
            RecallVector(s, c.x);
            FAIL() << "accepted " << c.x.size() << " values";
        } catch (const RunTimeException& e) {
            EXPECT_EQ(e.Error().Number, c.number);
        }
    }
}

TEST(ResetWeights, ClearsEveryWeightAndChange) {
    PublicStuff s = MakeState(2, 2, {1, 1}, {1, 1});
    s.Weights.SetWeight(2, 1, 4);
    ResetWeights(s);
    for (int j = 1; j <= 2; ++j)
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(s.Weights.Weight(j, i), 0.0);
            EXPECT_EQ(s.Weights.Change(j, i), 0.0);
        }
}

}  // namespace
}  // namespace mnemex
