// The four recall measures of every pattern, on vectors worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/RunTimeError.h"
#include "core/TestAllMeasures.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

struct VectorRow {
    const char* name;
    std::vector<double> a, t;
    double sse, ndp, nvl, vcor;
};

TEST(TestAllMeasures, HandComputedVectors) {
    const VectorRow rows[] = {
        // SSE = (3-1)^2 + (4-2)^2; a.t = 11; a.a = 5; t.t = 25.
        {"general", {1, 2}, {3, 4}, 8, 5.5, std::sqrt(2.5), 11 / (std::sqrt(5.0) * 5)},
        {"perfect recall", {1, -1, 2}, {1, -1, 2}, 0, 2, std::sqrt(2.0), 1},
        {"opposite", {-0.5, 0.5}, {0.5, -0.5}, 2, -0.25, 0.5, -1},
        {"zero output", {0, 0}, {1, 2}, 5, 0, 0, 0},
        {"zero target", {3, 4}, {0, 0}, 25, 0, std::sqrt(12.5), 0},
        {"both zero", {0, 0, 0}, {0, 0, 0}, 0, 0, 0, 0},
        {"orthogonal", {1, 0}, {0, 2}, 5, 0, std::sqrt(0.5), 0},
        {"no output units", {}, {}, 0, 0, 0, 0},
    };
    for (const VectorRow& r : rows) {
        const PatternMeasures m =
            MeasureRecall(r.a.data(), r.t.data(), static_cast<int>(r.a.size()));
        EXPECT_DOUBLE_EQ(m.SSE, r.sse) << r.name;
        EXPECT_DOUBLE_EQ(m.Ndp, r.ndp) << r.name;
        EXPECT_DOUBLE_EQ(m.Nvl, r.nvl) << r.name;
        EXPECT_DOUBLE_EQ(m.Vcor, r.vcor) << r.name;
    }
}

TEST(TestAllMeasures, EveryPatternWithTheCurrentWeights) {
    // Responses p1 (0.5, 1.5), p2 (0, 0.75); targets p1 (1, -0.5), p2 (0.25, 2).
    const PublicStuff s = testsupport::SmallTrainedNetwork();
    const std::vector<PatternMeasures> all = MeasureAllPatterns(s);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].Pattern, 1);
    EXPECT_EQ(all[0].SSE, 4.25);
    EXPECT_EQ(all[0].Ndp, -0.125);
    EXPECT_DOUBLE_EQ(all[0].Nvl, std::sqrt(1.25));
    EXPECT_DOUBLE_EQ(all[0].Vcor, -0.25 / (std::sqrt(2.5) * std::sqrt(1.25)));
    EXPECT_EQ(all[1].Pattern, 2);
    EXPECT_EQ(all[1].SSE, 1.625);
    EXPECT_EQ(all[1].Ndp, 0.75);
    EXPECT_DOUBLE_EQ(all[1].Nvl, 0.75 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(all[1].Vcor, 1.5 / (0.75 * std::sqrt(4.0625)));
}

TEST(TestAllMeasures, LeavesTheUnitRecordsAlone) {
    PublicStuff s = testsupport::SmallTrainedNetwork();
    s.OutputUnits(1).Error = 123.0;
    MeasureAllPatterns(s);
    EXPECT_EQ(s.OutputUnits(1).Error, 123.0);
}

TEST(TestAllMeasures, MeasuresThatAreNotFiniteAreOverflows) {
    struct Row {
        std::vector<double> a, t;
    };
    const Row overflowing[] = {
        {{1e200}, {-1e200}},       // the SSE
        {{1e200, 1}, {1e200, 1}},  // a . t and a . a, though the SSE is 0
    };
    for (const Row& r : overflowing) {
        try {
            MeasureRecall(r.a.data(), r.t.data(), static_cast<int>(r.a.size()));
            ADD_FAILURE() << "no error for a[0] = " << r.a[0];
        } catch (const RunTimeException& e) {
            EXPECT_EQ(e.Error().Number, kOverflow);
        }
    }
    // Tiny vectors stay finite: the cosine of a vector with itself is still 1.
    const double tiny[] = {1e-150};
    EXPECT_DOUBLE_EQ(MeasureRecall(tiny, tiny, 1).Vcor, 1.0);
}

TEST(TestAllMeasures, NoPatternsNoRows) {
    const PublicStuff s = testsupport::MakeNetwork(2, 1, {}, {});
    EXPECT_TRUE(MeasureAllPatterns(s).empty());
}

}  // namespace
}  // namespace mnemex
