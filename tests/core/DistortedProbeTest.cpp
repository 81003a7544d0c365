// Distorted probes: reproducible noise and dropped units from a seed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <vector>

#include "core/DistortedProbe.h"
#include "core/RunTimeError.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

PublicStuff Network(int inputs) {
    std::vector<double> x(static_cast<std::size_t>(inputs));
    std::iota(x.begin(), x.end(), 1.0);  // pattern 1: 1, 2, ..., n
    return testsupport::MakeNetwork(inputs, 1, x, {1.0});
}

TEST(DistortedProbe, NoiseValuesMatchAnIndependentImplementation) {
    // Seed 1, by tests/core/pattern_order_reference.py (hand-written MT19937-64, the
    // uniforms ((x >> 11) + 1) / 2^53 and Box-Muller in Python's math library).
    const double gauss[] = {1.312851528985561, 1.5159465040060633, 1.2506039211781215,
                            0.1661713810523931};
    const PublicStuff s = Network(4);
    const DistortedInputs d = DistortPattern(s, 1, {0.5, 0.0, 1});
    ASSERT_TRUE(d.Problem.empty());
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(d.Inputs[static_cast<std::size_t>(i)], (i + 1) + 0.5 * gauss[i], 1e-14) << i;
    EXPECT_TRUE(d.Zeroed.empty());
}

TEST(DistortedProbe, SameSeedSameProbeOtherSeedOtherProbe) {
    const PublicStuff s = Network(50);
    const Distortion a{0.3, 0.2, 7};
    Distortion b = a;
    b.Seed = 8;
    const DistortedInputs first = DistortPattern(s, 1, a);
    EXPECT_EQ(DistortPattern(s, 1, a).Inputs, first.Inputs);
    EXPECT_EQ(DistortPattern(s, 1, a).Zeroed, first.Zeroed);
    const DistortedInputs other = DistortPattern(s, 1, b);
    EXPECT_NE(other.Inputs, first.Inputs);
    EXPECT_NE(other.Zeroed, first.Zeroed);
}

TEST(DistortedProbe, RoundedFractionOfUnitsIsZeroed) {
    struct Row {
        int inputs;
        double fraction;
        std::size_t zeroed;
    };
    const Row rows[] = {{5, 0.5, 3},  {5, 0.3, 2}, {4, 0.125, 1}, {10, 1.0, 10},
                        {10, 0.0, 0}, {3, 0.1, 0}, {0, 0.5, 0}};
    for (const Row& r : rows) {
        const PublicStuff s = Network(r.inputs);
        const DistortedInputs d = DistortPattern(s, 1, {0.0, r.fraction, 3});
        ASSERT_TRUE(d.Problem.empty());
        ASSERT_EQ(d.Zeroed.size(), r.zeroed) << r.inputs << " x " << r.fraction;
        const std::set<int> zeroed(d.Zeroed.begin(), d.Zeroed.end());
        EXPECT_EQ(zeroed.size(), r.zeroed) << "a unit drawn twice";
        for (int i = 1; i <= r.inputs; ++i) {
            // No noise: the other units keep their values exactly.
            const double expected = zeroed.count(i) ? 0.0 : i;
            EXPECT_EQ(d.Inputs[static_cast<std::size_t>(i - 1)], expected) << i;
        }
    }
}

TEST(DistortedProbe, NoiseLevelDoesNotChangeWhichUnitsAreZeroed) {
    const PublicStuff s = Network(30);
    EXPECT_EQ(DistortPattern(s, 1, {0.0, 0.4, 11}).Zeroed,
              DistortPattern(s, 1, {2.5, 0.4, 11}).Zeroed);
}

TEST(DistortedProbe, NoiseHasTheChosenSpread) {
    const int n = 20000;
    const PublicStuff s = testsupport::MakeNetwork(n, 1, std::vector<double>(n, 0.0), {0.0});
    const DistortedInputs d = DistortPattern(s, 1, {0.5, 0.0, 2024});
    double sum = 0.0, squares = 0.0;
    for (const double v : d.Inputs) {
        sum += v;
        squares += v * v;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 0.0, 0.02);  // 4 standard errors
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), 0.5, 0.01);
}

TEST(DistortedProbe, BadRequestsAreRefusedWithAMessage) {
    const PublicStuff s = Network(4);
    const struct {
        int pattern;
        Distortion d;
        const char* problem;
    } rows[] = {
        {0, {0.1, 0.0, 1}, "There is no pattern 0."},
        {2, {0.1, 0.0, 1}, "There is no pattern 2."},
        {1, {-0.1, 0.0, 1}, "The noise's standard deviation must be a number of 0 or more."},
        {1, {NAN, 0.0, 1}, "The noise's standard deviation must be a number of 0 or more."},
        {1, {INFINITY, 0.0, 1}, "The noise's standard deviation must be a number of 0 or more."},
        {1, {0.1, 1.5, 1}, "The fraction of input units set to 0 must be between 0 and 1."},
        {1, {0.1, NAN, 1}, "The fraction of input units set to 0 must be between 0 and 1."},
    };
    for (const auto& r : rows) {
        const DistortedInputs d = DistortPattern(s, r.pattern, r.d);
        EXPECT_EQ(d.Problem, r.problem);
        EXPECT_TRUE(d.Inputs.empty());
    }
}

TEST(DistortedProbe, HugeNoiseIsAnOverflow) {
    const PublicStuff s = Network(2);
    try {
        DistortPattern(s, 1, {1.7e308, 0.0, 1});  // the first noise value is 1.31
        ADD_FAILURE() << "no error";
    } catch (const RunTimeException& e) {
        EXPECT_EQ(e.Error().Number, kOverflow);
    }
}

TEST(DistortedProbe, ProbeIsMeasuredAgainstThePatternsTarget) {
    // One output, weights 0.5 and -0.25; pattern 1 is inputs 1, 2 with target 1. The probe
    // (2, 0) recalls 0.5 x 2 = 1, the target itself.
    const PublicStuff s = testsupport::MakeNetwork(2, 1, {1, 2}, {1}, {0.5, -0.25});
    const PatternMeasures m = MeasureProbe(s, 1, {2, 0});
    EXPECT_EQ(m.Pattern, 1);
    EXPECT_EQ(m.SSE, 0.0);
    EXPECT_EQ(m.Vcor, 1.0);
}

}  // namespace
}  // namespace mnemex
