// What the "Look Inside The Memory" page and Compare Runs compute, checked without a screen:
// grid widths, the pictures' scales, the explanation of one output unit against recall and
// the Delta rule, the test-all table, the colour scale, figures as shown, the runs' CSV and
// legends, and the logarithmic axis. (The session's list of runs is the core's:
// tests/core/FinishedRunsTest.cpp.)

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/FinishedRuns.h"
#include "core/Learning.h"
#include "core/Recall.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "core/UnitExplanation.h"
#include "pages/inside/LogAxis.h"
#include "pages/inside/MeasuresTable.h"
#include "pages/inside/PatternGrid.h"
#include "pages/inside/PatternViews.h"
#include "pages/inside/RunCurves.h"
#include "pages/inside/WeightColours.h"
#include "tests/support/TestNetworks.h"

using namespace mnemex;
using namespace mnemex::inside;

namespace {

PublicStuff Example(const std::string& name, const std::string& rule, double rate, int epochs) {
    PublicStuff s;
    EXPECT_FALSE(ReadTrainingFile(s, std::string(MNEMEX_EXAMPLES_DIR) + "/" + name));
    s.TrainingFileName = name;
    s.ReallocateNetwork();
    s.NewRun = 1;
    s.LearningRule = rule;
    s.LearningRate = rate;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = epochs;
    s.PrintInterval = 1;
    SilentDisplay display;
    EXPECT_EQ(TrainNetwork(s, display, epochs).Outcome, RunOutcome::kFinished);
    return s;
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

TEST(PatternGrid, ProposesASquareAStripOrANearSquare) {
    struct Case {
        const char* name;
        int count, width, rows;
    };
    for (const Case c :
         {Case{"square 64", 64, 8, 8}, Case{"square 784", 784, 28, 28}, Case{"square 9", 9, 3, 3},
          Case{"short strip 8", 8, 8, 1}, Case{"strip of 15", 15, 15, 1},
          Case{"300: 20 x 15", 300, 20, 15}, Case{"18: 6 x 3", 18, 6, 3},
          Case{"prime 17: short last row", 17, 5, 4}, Case{"prime 997", 997, 32, 32},
          Case{"one", 1, 1, 1}, Case{"none", 0, 0, 0}}) {
        EXPECT_EQ(ProposedWidth(c.count), c.width) << c.name;
        EXPECT_EQ(GridRows(c.count, c.width), c.rows) << c.name;
    }
    EXPECT_EQ(GridRows(10, 4), 3);  // a short last row
    EXPECT_TRUE(WidthFits(10, 10));
    EXPECT_FALSE(WidthFits(10, 11));
    EXPECT_FALSE(WidthFits(10, 0));
}

TEST(PatternGrid, GreyScaleSpansTheValueRange) {
    const ValueRange r = RangeOf({-1.0, 3.0, 1.0});
    EXPECT_EQ(r.Low, -1.0);
    EXPECT_EQ(r.High, 3.0);
    EXPECT_EQ(GreyLevel(-1.0, r), 0);
    EXPECT_EQ(GreyLevel(3.0, r), 255);
    EXPECT_EQ(GreyLevel(1.0, r), 128);
    EXPECT_EQ(GreyLevel(5.0, {2.0, 2.0}), 128);  // a flat picture is mid grey
}

TEST(PictureScales, ErrorScaleIsSymmetricAndNoSmallerThanHalfTheOutputs) {
    struct Case {
        const char* name;
        std::vector<double> errors;
        ValueRange desired;
        double half;
    };
    const Case cases[] = {
        {"tiny errors on half the outputs' range", {0.001, -0.002}, {0, 1}, 0.5},
        {"nearly equal errors stay nearly equal", {0.439992, 0.440007}, {0, 1}, 0.5},
        {"an error beyond it widens it", {0.2, -0.9}, {0, 1}, 0.9},
        {"flat desired outputs: 1", {0.1}, {2, 2}, 1.0},
        {"flat desired outputs, larger error", {-3.0}, {2, 2}, 3.0},
        {"no errors shown", {}, {-1, 3}, 2.0},
    };
    for (const Case& c : cases) {
        const PictureScale s = ErrorScale(c.errors, c.desired);
        EXPECT_TRUE(s.Diverging) << c.name;
        EXPECT_EQ(s.High, c.half) << c.name;
        EXPECT_EQ(s.Low, -c.half) << c.name;
    }
    // What the student sees: 0.001 of a 0..1 output is all but white, and two errors that
    // differ in the fifth digit look the same.
    const PictureScale tiny = ErrorScale({0.001}, {0, 1});
    EXPECT_GE(DivergingColour(0.001, tiny.High) & 0xFF, 254u);
    const PictureScale near = ErrorScale({0.439992, 0.440007}, {0, 1});
    EXPECT_EQ(DivergingColour(0.439992, near.High), DivergingColour(0.440007, near.High));
}

TEST(PictureScales, GreyScalesComeFromTheFileAndTakeInWhatIsShown) {
    // dependent.net: inputs 0 to 2, desired outputs 0 to 1 over its three patterns.
    const PublicStuff s = Example("dependent.net", "Delta", 0.1, 100);
    const PatternRanges ranges = RangesOf(s);
    EXPECT_EQ(ranges.Inputs.Low, 0.0);
    EXPECT_EQ(ranges.Inputs.High, 2.0);
    EXPECT_EQ(ranges.Desired.Low, 0.0);
    EXPECT_EQ(ranges.Desired.High, 1.0);
    struct Case {
        const char* name;
        std::vector<double> recalled;
        double low, high;
    };
    for (const Case& c : {Case{"recalled inside the outputs' range", {0.2, 0.9}, 0.0, 1.0},
                          Case{"recalled beyond both ends", {-0.25, 1.5}, -0.25, 1.5}}) {
        PatternViews shown = PatternViewsOf(s, 1);
        shown.Recalled = c.recalled;
        const PictureScales scales = ScalesFor(ranges, shown);
        EXPECT_EQ(scales.Input.Low, 0.0) << c.name;
        EXPECT_EQ(scales.Input.High, 2.0) << c.name;
        EXPECT_EQ(scales.Output.Low, c.low) << c.name;
        EXPECT_EQ(scales.Output.High, c.high) << c.name;
        EXPECT_FALSE(scales.Output.Diverging) << c.name;
    }
    EXPECT_EQ(GreyScale({2.0, 2.0}).Low, 1.5);  // one value: the middle grey, not black
    EXPECT_EQ(GreyLevel(2.0, {GreyScale({2.0, 2.0}).Low, GreyScale({2.0, 2.0}).High}), 128);
}

TEST(PictureScales, EachPictureStatesItsScale) {
    struct Case {
        const char* name;
        PictureScale scale;
        const char* text;
    };
    for (const Case& c :
         {Case{"grey", {0, 1, false}, "0 black to 1 white"},
          Case{"diverging", {-0.5, 0.5, true}, "-0.5 blue to 0.5 red"},
          Case{"four digits", {-0.4400073, 0.4400073, true}, "-0.44 blue to 0.44 red"},
          Case{"large", {-916, 975.25, false}, "-916 black to 975.2 white"}})
        EXPECT_EQ(ScaleText(c.scale), c.text) << c.name;
}

TEST(UnitExplanation, WorkedExampleListsTermsLargestFirst) {
    // One output, two inputs: weights 0.5 and -0.25, inputs 1 and 2, desired 1.
    PublicStuff s = testsupport::MakeNetwork(2, 1, {1, 2}, {1}, {0.5, -0.25});
    s.LearningRate = 0.1;
    const UnitExplanation e = ExplainUnit(s, 1, 1, 1);
    ASSERT_EQ(e.Largest.size(), 1u);
    EXPECT_EQ(e.Largest[0].Input, 1);  // |0.5| ties with |-0.5|: input order decides
    EXPECT_EQ(e.Largest[0].Term, 0.5);
    EXPECT_EQ(e.RestCount, 1);
    EXPECT_EQ(e.RestSum, -0.5);
    EXPECT_EQ(e.NetInput, 0.0);
    EXPECT_EQ(e.Error, 1.0);
    EXPECT_EQ(e.DeltaChanges, (std::vector<double>{0.1, 0.2}));
    const auto lines = ExplanationLines(e);
    EXPECT_EQ(lines[1], "  input 1: 0.5 x 1 = 0.5");
    EXPECT_EQ(lines[2], "  the other 1 terms together: -0.5");
    EXPECT_EQ(lines[3], "Net input (the recalled output): 0");
}

TEST(UnitExplanation, FiguresAreRecallsAndTheDeltaStepsToTheBit) {
    const PublicStuff trained = Example("letters.net", "Delta", 0.05, 7);
    for (int p = 1; p <= trained.NumPatterns; ++p) {
        PublicStuff recall = trained;
        ComputeOutputs(recall, p);
        PublicStuff stepped = trained;
        TrainDelta(stepped, p);
        for (int j = 1; j <= trained.NumOutputs; ++j) {
            const UnitExplanation e = ExplainUnit(trained, p, j);
            ASSERT_TRUE(SameBits(e.NetInput, recall.OutputUnits(j).NetInput)) << p << "," << j;
            ASSERT_TRUE(SameBits(e.Error, recall.OutputUnits(j).Error));
            for (int i = 1; i <= trained.NumInputs; ++i)
                ASSERT_TRUE(
                    SameBits(e.DeltaChanges[std::size_t(i - 1)], stepped.Weights.Change(j, i)))
                    << p << "," << j << "," << i;
            for (std::size_t k = 1; k < e.Largest.size(); ++k)
                ASSERT_GE(std::fabs(e.Largest[k - 1].Term), std::fabs(e.Largest[k].Term));
        }
    }
}

TEST(UnitExplanation, RefusesUnitsAndPatternsOutOfRange) {
    const PublicStuff s = testsupport::SmallTrainedNetwork();
    for (auto [p, j] : {std::pair{0, 1}, std::pair{3, 1}, std::pair{1, 0}, std::pair{1, 3}})
        EXPECT_THROW(ExplainUnit(s, p, j), RunTimeException);
}

TEST(PatternViews, ShowRecallOfTheChosenPattern) {
    const PublicStuff s = testsupport::SmallTrainedNetwork();
    const PatternViews v = PatternViewsOf(s, 1);
    EXPECT_EQ(v.Recalled, (std::vector<double>{0.5, 1.5}));
    EXPECT_EQ(v.Error, (std::vector<double>{0.5, -2}));
}

TEST(PatternViews, LeastSquaresOfDependentNetLiesAboveTheRunningTotal) {
    const PublicStuff s = Example("dependent.net", "Delta", 0.1, 200);
    const FixedWeightFigures f = FixedWeightFiguresOf(s);
    ASSERT_TRUE(f.LeastSquaresSSE.has_value());
    EXPECT_NEAR(*f.LeastSquaresSSE, 2.0 / 3.0, 1e-12);
    EXPECT_LT(s.TotalSSE, *f.LeastSquaresSSE);  // the running total dips below it
    EXPECT_GE(f.CurrentSSE, *f.LeastSquaresSSE - 1e-12);
}

TEST(MeasuresTable, SortsByAnyColumnAndKeepsTiesInPatternOrder) {
    const std::vector<PatternMeasures> rows{
        {1, 0.5, 0.1, 0.3, 0.9}, {2, 0.25, 0.4, 0.2, 0.5}, {3, 0.5, 0.2, 0.1, 0.7}};
    const auto patterns = [](const std::vector<PatternMeasures>& r) {
        std::vector<int> p;
        for (const auto& m : r)
            p.push_back(m.Pattern);
        return p;
    };
    EXPECT_EQ(patterns(SortedMeasures(rows, MeasureColumn::kSSE, true)), (std::vector{2, 1, 3}));
    EXPECT_EQ(patterns(SortedMeasures(rows, MeasureColumn::kSSE, false)), (std::vector{1, 3, 2}));
    EXPECT_EQ(patterns(SortedMeasures(rows, MeasureColumn::kNdp, false)), (std::vector{2, 3, 1}));
    EXPECT_EQ(patterns(SortedMeasures(rows, MeasureColumn::kNvl, true)), (std::vector{3, 2, 1}));
    EXPECT_EQ(patterns(SortedMeasures(rows, MeasureColumn::kVcor, true)), (std::vector{2, 3, 1}));
    EXPECT_EQ(MeasuresTsv({rows[1]}),
              "Pattern\tSSE\tndp\tnvl\tvcor\t\r\n2\t0.25\t0.4\t0.2\t0.5\t\r\n");
}

TEST(WeightColours, DivergingScaleIsCentredOnZero) {
    EXPECT_EQ(DivergingColour(-2.0, 2.0), 0xFF0000FFu);  // pure blue
    EXPECT_EQ(DivergingColour(0.0, 2.0), 0xFFFFFFFFu);   // white
    EXPECT_EQ(DivergingColour(2.0, 2.0), 0xFFFF0000u);   // pure red
    EXPECT_EQ(DivergingColour(9.0, 2.0), 0xFFFF0000u);   // beyond the limit: the end colour
    EXPECT_EQ(DivergingColour(1.0, 0.0), 0xFFFFFFFFu);   // all weights 0
    const std::uint32_t halfRed = DivergingColour(1.0, 2.0);
    EXPECT_EQ(halfRed >> 16 & 0xFF, 255u);
    EXPECT_NEAR(double(halfRed >> 8 & 0xFF), 127.5, 1.0);
    // Hinton squares: area proportional to magnitude.
    EXPECT_DOUBLE_EQ(HintonSide(-1.0, 4.0) * HintonSide(-1.0, 4.0), 0.25);
    EXPECT_EQ(HintonSide(4.0, 4.0), 1.0);
}

TEST(RunCurves, CsvListsEveryRowOfEveryRunAndTheLeastSquaresLine) {
    FinishedRun a;
    a.Id = 1;
    a.FileName = "my, file.net";
    a.Rule = "Delta";
    a.Rate = 0.1;
    a.History = {{0, 2.5}, {10, 0.75}};
    FinishedRun b = a;
    b.Id = 4;
    b.FileName = "b.net";
    b.Rule = "Hebb";
    b.Order = {true, 3};
    b.History = {{0, 2.5}};
    EXPECT_EQ(CurvesCsv({&a, &b}, 2.0 / 3.0),
              "run,file,rule,rate,order,epoch,sse\n"
              "1,\"my, file.net\",Delta,0.1,file,0,2.5\n"
              "1,\"my, file.net\",Delta,0.1,file,10,0.75\n"
              "4,b.net,Hebb,0.1,permuted seed 3,0,2.5\n"
              "least-squares,,,,,,0.6666666666666666\n");
}

TEST(LogAxis, LabelsFitGridLinesSpreadAndTheFloorIsTwelveDecadesDown) {
    struct Case {
        const char* name;
        double lowest, highest, pixels;
        int lowExponent, highExponent, decadesPerLabel, minorLines;
        bool below;
    };
    const Case cases[] = {
        {"two decades, room for minor lines", 0.4, 2.5, 250, -1, 1, 1, 8, false},
        {"two decades, too short for minor lines", 0.4, 2.5, 120, -1, 1, 1, 0, false},
        {"seven decades: eight labels", 2e-6, 9.0, 250, -6, 1, 1, 0, false},
        {"least-squares line at 5e-30", 5e-30, 8.0, 250, -12, 1, 2, 0, true},
        {"exactly twelve decades down", 1e-12, 1.0, 250, -12, 0, 2, 0, false},
        {"one value", 0.5, 0.5, 250, -1, 0, 1, 8, false},
        {"nothing positive", 0.0, 0.0, 250, -1, 0, 1, 0, false},
    };
    for (const Case& c : cases) {
        const LogAxisPlan plan = PlanLogAxis(c.lowest, c.highest, c.pixels);
        EXPECT_EQ(plan.LowExponent, c.lowExponent) << c.name;
        EXPECT_EQ(plan.HighExponent, c.highExponent) << c.name;
        EXPECT_EQ(plan.DecadesPerLabel, c.decadesPerLabel) << c.name;
        EXPECT_EQ(plan.MinorLines, c.minorLines) << c.name;
        EXPECT_EQ(plan.SomethingBelow, c.below) << c.name;
        EXPECT_LE(plan.Labels(), kMostLogLabels) << c.name;
        EXPECT_GE(plan.Labels(), 2) << c.name;
    }
    const LogAxisPlan deep = PlanLogAxis(5e-30, 8.0, 250);
    EXPECT_EQ(BelowAxisNote(deep, {"Run 2", "Least-squares SSE (fixed weights) 5e-30"}),
              "Below 1e-12, under the axis: Run 2; Least-squares SSE (fixed weights) 5e-30");
    EXPECT_EQ(BelowAxisNote(deep, {}), "");
}

TEST(ShownNumbers, SixSignificantDigitsOnScreen) {
    struct Case {
        const char* name;
        double value;
        int digits;
        const char* shown;
    };
    for (const Case& c :
         {Case{"colour bar end", 0.546658781216999, 4, "0.5467"},
          Case{"a weight", 0.546658781216999, 6, "0.546659"},

          Case{"least squares of an exact fit", 2.0234095404926e-23, 6, "2.02341e-23"},

          Case{"negative", -0.000123456789, 6, "-0.000123457"}})
        EXPECT_EQ(Shown(c.value, c.digits), c.shown) << c.name;
}

TEST(RunCurves, LegendEntriesBreakAfterCommasInsteadOfBeingCut) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"short: one line", "Run 1: Delta, rate 0.1", 32, {"Run 1: Delta, rate 0.1"}},
        {"broken after commas",
         "Run 6: dependent.net, Delta, rate 0.123456789, permuted order, seed 7",
         32,
         {"Run 6: dependent.net, Delta,", "rate 0.123456789,", "permuted order, seed 7"}},
        {"a part longer than the width keeps its own line",
         "Run 2: a-very-long-file-name-indeed.net, Hebb",
         10,
         {"Run 2: a-very-long-file-name-indeed.net,", "Hebb"}},
        {"empty", "", 32, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LegendLines(c.text, c.width), c.lines) << c.name;
        // Nothing is lost: the lines joined give the entry back.
        std::string joined;
        for (const std::string& line : LegendLines(c.text, c.width))
            joined += (joined.empty() ? "" : " ") + line;
        EXPECT_EQ(joined, c.text) << c.name;
    }
}
