// Training results of the core, bit for bit against a plain, literal implementation of
// the training loops written here: one pattern at a time, net inputs summed over the
// input units in increasing order from 0.0, each weight changed by (rate x input) x
// activity, pattern SSE over the output units in order, the total over the patterns in
// order. Every way the core can compute an epoch (instruction sets, threads, pattern
// chunks) must give exactly these numbers, on success and when a run overflows.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/PatternOrder.h"
#include "core/PublicStuff.h"
#include "core/RunTimeError.h"
#include "core/TrainingEpoch.h"
#include "core/TrainingRun.h"

namespace mnemex {
namespace {

// ---------------------------------------------------------------------------------------
// The plain implementation. Arrays are 1-based as the training file numbers them; every
// routine either completes or throws leaving what it was given untouched.

struct PlainOverflow {};

double Finite(double v) {
    if (!std::isfinite(v))
        throw PlainOverflow{};
    return v;
}

struct PlainUnit {
    double NetInput = 0.0, Activity = 0.0, Error = 0.0;
};
struct PlainWeight {
    double Weight = 0.0, Change = 0.0;
};

struct PlainNet {
    int NumInputs = 0, NumOutputs = 0, NumPatterns = 0;
    std::vector<std::vector<double>> InputPatterns;   // (i, p)
    std::vector<std::vector<double>> DesiredOutputs;  // (j, p)
    std::vector<PlainUnit> InputUnits, OutputUnits;
    std::vector<std::vector<PlainWeight>> Weights;  // (j, i)
    bool Hebb = true;
    double LearningRate = 0.0;
    int MaxEpochs = 0;
    int PrintInterval = 0;
    int NewRun = 1;
    bool Permuted = false;  // each epoch in the order EpochOrder gives, else file order
    std::uint64_t Seed = 1;
    int EpochCount = 0;
    double TotalSSE = 0.0;
    int SSECount = 0;
    double SSEHistory[kHistoryRows + 1][3] = {};

    void ComputeOutputs(int p) {
        std::vector<double> net(static_cast<std::size_t>(NumOutputs) + 1, 0.0);
        for (int i = 1; i <= NumInputs; ++i)
            for (int j = 1; j <= NumOutputs; ++j)
                net[j] = Finite(Weights[j][i].Weight * InputPatterns[i][p] + net[j]);
        for (int j = 1; j <= NumOutputs; ++j)
            Finite(DesiredOutputs[j][p] - net[j]);
        for (int i = 1; i <= NumInputs; ++i)
            InputUnits[i].Activity = InputPatterns[i][p];
        for (int j = 1; j <= NumOutputs; ++j) {
            OutputUnits[j].NetInput = net[j];
            OutputUnits[j].Activity = OutputUnits[j].NetInput;
            OutputUnits[j].Error = DesiredOutputs[j][p] - OutputUnits[j].Activity;
        }
    }

    double PatternSSE() const {
        double sum = 0.0;
        for (int j = 1; j <= NumOutputs; ++j)
            sum = Finite(sum + OutputUnits[j].Error * OutputUnits[j].Error);
        return sum;
    }

    // Change = (rate x input activity) x output activity, then Weight + Change.
    void ChangeWeights() {
        auto next = Weights;
        for (int i = 1; i <= NumInputs; ++i)
            for (int j = 1; j <= NumOutputs; ++j)
                next[j][i].Change =
                    Finite(LearningRate * InputUnits[i].Activity * OutputUnits[j].Activity);
        for (int i = 1; i <= NumInputs; ++i)
            for (int j = 1; j <= NumOutputs; ++j)
                next[j][i].Weight = Finite(next[j][i].Weight + next[j][i].Change);
        Weights = next;
    }

    void LearningStep(int p) {
        const auto savedIn = InputUnits;
        const auto savedOut = OutputUnits;
        try {
            for (int i = 1; i <= NumInputs; ++i)
                InputUnits[i].Activity = InputPatterns[i][p];
            for (int j = 1; j <= NumOutputs; ++j)
                OutputUnits[j].Activity = DesiredOutputs[j][p];
            if (!Hebb) {
                ComputeOutputs(p);
                for (int j = 1; j <= NumOutputs; ++j)
                    OutputUnits[j].Activity = OutputUnits[j].Error;
            }
            ChangeWeights();
        } catch (const PlainOverflow&) {
            InputUnits = savedIn;
            OutputUnits = savedOut;
            throw;
        }
    }

    // Returns false when the run ended on an overflow.
    bool TrainNetwork() {
        try {
            if (NewRun == 1)
                EpochCount = 0;
            if (EpochCount == 0) {
                SSECount = 1;
                SSEHistory[1][1] = 0;
                double sum = 0.0;
                for (int p = 1; p <= NumPatterns; ++p) {
                    ComputeOutputs(p);
                    sum = Finite(sum + PatternSSE());
                }
                SSEHistory[1][2] = sum;
            }
            double previous = TotalSSE;
            int sincePrintout = 0;
            for (bool stop = false; !stop;) {
                ++EpochCount;
                ++sincePrintout;
                TotalSSE = 0.0;
                std::vector<int> order(static_cast<std::size_t>(NumPatterns));
                for (int k = 1; k <= NumPatterns; ++k)
                    order[static_cast<std::size_t>(k - 1)] = k;
                if (Permuted)
                    order = EpochOrder(Seed, EpochCount, NumPatterns);
                for (const int p : order) {
                    LearningStep(p);
                    ComputeOutputs(p);
                    TotalSSE = Finite(TotalSSE + PatternSSE());
                }
                if (EpochCount != 1)
                    Finite(previous - TotalSSE);
                previous = TotalSSE;
                if (sincePrintout == PrintInterval) {
                    sincePrintout = 0;
                    if (SSECount < kHistoryRows) {
                        ++SSECount;
                        SSEHistory[SSECount][1] = EpochCount;
                        SSEHistory[SSECount][2] = TotalSSE;
                    }
                }
                stop = EpochCount == MaxEpochs;
            }
        } catch (const PlainOverflow&) {
            return false;
        }
        return true;
    }
};

// ---------------------------------------------------------------------------------------
// Random networks, the same values given to both implementations.

struct Case {
    const char* name;
    int inputs, outputs, patterns;
    bool hebb;
    double rate;
    int printInterval;
    int epochs;      // first run
    int moreEpochs;  // continued run (0: none)
    double desiredScale;
};

// Pattern values: mostly uniform in [-1, 1], with exact zeros, negative zeros and small
// whole numbers mixed in, so that signs of zero and exact sums are exercised too.
double RandomValue(std::mt19937_64& rng, double scale) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    switch (kind(rng)) {
        case 0:
            return 0.0;
        case 1:
            return -0.0;
        case 2:
            return scale * static_cast<double>(kind(rng) - 4);
        default:
            return scale * real(rng);
    }
}

struct Pair {
    PublicStuff core;
    PlainNet plain;
};

Pair MakePair(const Case& c, std::uint64_t seed, bool permuted = false) {
    std::mt19937_64 rng(seed);
    Pair pair;
    PublicStuff& s = pair.core;
    PlainNet& n = pair.plain;
    s.NumInputs = n.NumInputs = c.inputs;
    s.NumOutputs = n.NumOutputs = c.outputs;
    s.NumPatterns = n.NumPatterns = c.patterns;
    s.InputPatterns.Reallocate(c.inputs, c.patterns);
    s.DesiredOutputs.Reallocate(c.outputs, c.patterns);
    n.InputPatterns.assign(static_cast<std::size_t>(c.inputs) + 1,
                           std::vector<double>(static_cast<std::size_t>(c.patterns) + 1, 0.0));
    n.DesiredOutputs.assign(static_cast<std::size_t>(c.outputs) + 1,
                            std::vector<double>(static_cast<std::size_t>(c.patterns) + 1, 0.0));
    for (int p = 1; p <= c.patterns; ++p) {
        for (int i = 1; i <= c.inputs; ++i)
            s.InputPatterns(i, p) = n.InputPatterns[i][p] = RandomValue(rng, 1.0);
        for (int j = 1; j <= c.outputs; ++j)
            s.DesiredOutputs(j, p) = n.DesiredOutputs[j][p] = RandomValue(rng, c.desiredScale);
    }
    s.ReallocateNetwork();
    n.InputUnits.assign(static_cast<std::size_t>(c.inputs) + 1, PlainUnit{});
    n.OutputUnits.assign(static_cast<std::size_t>(c.outputs) + 1, PlainUnit{});
    n.Weights.assign(static_cast<std::size_t>(c.outputs) + 1,
                     std::vector<PlainWeight>(static_cast<std::size_t>(c.inputs) + 1));
    s.LearningRule = c.hebb ? "Hebb" : "Delta";
    n.Hebb = c.hebb;
    s.LearningRate = n.LearningRate = c.rate;
    s.StopAtMaxEpochs = 1;
    s.StopAtMinError = 0;
    s.MinError = 0.0;
    s.PrintInterval = n.PrintInterval = c.printInterval;
    s.Order.Permuted = n.Permuted = permuted;
    // A seed near the top of the range, so that seed + epoch wraps in the longer runs.
    s.Order.Seed = n.Seed = ~std::uint64_t{0} - 100 + seed;
    return pair;
}

// Runs both for `epochs` more epochs (a new run when newRun is 1); returns whether the
// plain run ended on an overflow.
bool TrainBoth(Pair& pair, int newRun, int epochs) {
    PublicStuff& s = pair.core;
    PlainNet& n = pair.plain;
    s.NewRun = static_cast<std::int16_t>(newRun);
    n.NewRun = newRun;
    const int start = newRun == 1 ? 0 : s.EpochCount;
    s.MaxEpochs = n.MaxEpochs = start + epochs;
    SilentDisplay display;
    const RunResult result = TrainNetwork(s, display, epochs);
    const bool plainOk = n.TrainNetwork();
    EXPECT_EQ(result.Outcome, plainOk ? RunOutcome::kFinished : RunOutcome::kFailed);
    if (!plainOk) {
        EXPECT_EQ(result.Error.Number, kOverflow);
    }
    return !plainOk;
}

::testing::AssertionResult SameBits(const char* what, double core, double plain) {
    if (std::bit_cast<std::uint64_t>(core) == std::bit_cast<std::uint64_t>(plain))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << ": core " << core << " plain " << plain;
}

::testing::AssertionResult SameUnits(const char* kind, const UnitArray& core,
                                     const std::vector<PlainUnit>& plain) {
    for (int k = 1; k < static_cast<int>(plain.size()); ++k) {
        const std::string where = std::string(kind) + " " + std::to_string(k);
        auto r = SameBits((where + " NetInput").c_str(), core(k).NetInput, plain[k].NetInput);
        if (r)
            r = SameBits((where + " Activity").c_str(), core(k).Activity, plain[k].Activity);
        if (r)
            r = SameBits((where + " Error").c_str(), core(k).Error, plain[k].Error);
        if (!r)
            return r;
    }
    return ::testing::AssertionSuccess();
}

void ExpectSameState(const Pair& pair) {
    const PublicStuff& s = pair.core;
    const PlainNet& n = pair.plain;
    EXPECT_EQ(s.EpochCount, n.EpochCount);
    EXPECT_TRUE(SameBits("TotalSSE", s.TotalSSE, n.TotalSSE));
    ASSERT_EQ(s.SSECount, n.SSECount);
    for (int r = 1; r <= n.SSECount; ++r) {
        EXPECT_TRUE(SameBits("history epoch", s.SSEHistory[r][1], n.SSEHistory[r][1])) << r;
        EXPECT_TRUE(SameBits("history SSE", s.SSEHistory[r][2], n.SSEHistory[r][2])) << r;
    }
    EXPECT_TRUE(SameUnits("input unit", s.InputUnits, n.InputUnits));
    EXPECT_TRUE(SameUnits("output unit", s.OutputUnits, n.OutputUnits));
    int wrong = 0;
    for (int j = 1; j <= n.NumOutputs; ++j) {
        for (int i = 1; i <= n.NumInputs; ++i) {
            const auto w = SameBits("Weight", s.Weights.Weight(j, i), n.Weights[j][i].Weight);
            const auto c = SameBits("Change", s.Weights.Change(j, i), n.Weights[j][i].Change);
            if ((!w || !c) && ++wrong <= 3) {
                ADD_FAILURE() << "weight (" << j << ", " << i << "): " << (w ? c : w).message();
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "weights that differ";
}

// Shapes around the vector and block widths (1, 2, 4, 8, 16, 32 lanes), empty networks,
// and the sizes students and teachers use; rates from none to diverging.
const Case kCases[] = {
    {"no inputs", 0, 5, 3, false, 0.1, 1, 3, 2, 1.0},
    {"no outputs", 4, 0, 3, false, 0.1, 1, 3, 2, 1.0},
    {"no patterns", 4, 5, 0, true, 0.1, 1, 3, 2, 1.0},
    {"one unit each", 1, 1, 1, false, 0.5, 1, 7, 3, 1.0},
    {"classroom Delta", 8, 8, 4, false, 0.1, 10, 40, 15, 1.0},
    {"classroom Hebb", 8, 8, 4, true, 0.1, 10, 40, 15, 1.0},
    {"odd Delta", 13, 11, 7, false, 0.05, 3, 20, 7, 1.0},
    {"odd Hebb", 13, 11, 7, true, 0.25, 3, 20, 7, 1.0},
    {"one past a block", 5, 9, 6, false, 0.08, 1, 9, 4, 1.0},
    {"one short of a block", 9, 7, 6, false, 0.08, 2, 9, 4, 1.0},
    {"several blocks", 17, 33, 23, false, 0.02, 4, 6, 3, 1.0},
    {"one short of a widest block", 6, 31, 5, true, 0.05, 2, 7, 3, 1.0},
    {"wide outputs", 3, 65, 9, true, 0.3, 5, 8, 0, 2.0},
    {"tall inputs", 70, 3, 12, false, 0.01, 1, 5, 5, 1.0},
    {"rate zero", 6, 10, 5, false, 0.0, 2, 6, 2, 1.0},
    {"no printout", 6, 10, 5, false, 0.1, 0, 6, 2, 1.0},
    {"negative rate", 6, 10, 5, false, -0.05, 1, 6, 2, 1.0},
    {"Delta diverges", 9, 12, 5, false, 3.0, 1, 400, 0, 1.0},
    {"Delta diverges slowly", 20, 17, 3, false, 0.6, 7, 2000, 0, 1.0},
    {"Delta diverges, big targets", 6, 8, 4, false, 2.0, 1, 400, 0, 1.0e150},
    {"Hebb overflows", 7, 9, 4, true, 1.0e305, 1, 400, 0, 1.0},
    {"Hebb SSE overflows", 5, 10, 3, true, 1.0, 1, 400, 0, 1.0e153},
    {"untrained SSE overflows", 4, 6, 3, false, 0.1, 1, 3, 0, 1.0e154},
};

struct PathCase {
    const char* name;
    EpochTrainerSettings settings;
};

void PrintTo(const PathCase& path, std::ostream* os) {
    *os << path.name;
}

class GoldenTraining : public ::testing::TestWithParam<PathCase> {
  protected:
    void SetUp() override {
        const EpochTrainerSettings& wanted = GetParam().settings;
        if (wanted.path == EpochTrainerSettings::Path::kAvx2 &&
            !kernels::Supports(kernels::InstructionSet::kAvx2))
            GTEST_SKIP() << "this processor has no AVX2";
        if (wanted.path == EpochTrainerSettings::Path::kAvx512 &&
            !kernels::Supports(kernels::InstructionSet::kAvx512))
            GTEST_SKIP() << "this processor has no AVX-512";
        SetEpochTrainerSettings(wanted);
    }
    void TearDown() override { SetEpochTrainerSettings({}); }
};

// Runs every case twice from different random values, in file order or permuted order;
// returns how many runs overflowed.
int RunAllCases(bool permuted) {
    int overflowed = 0;
    std::uint64_t seed = 1;
    for (const Case& c : kCases) {
        for (int repeat = 0; repeat < 2; ++repeat) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(seed) +
                         (permuted ? ", permuted" : ""));
            Pair pair = MakePair(c, seed++, permuted);
            bool failed = TrainBoth(pair, 1, c.epochs);
            ExpectSameState(pair);
            if (!failed && c.moreEpochs > 0) {
                failed = TrainBoth(pair, 0, c.moreEpochs);
                ExpectSameState(pair);
            }
            overflowed += failed ? 1 : 0;
            if (::testing::Test::HasFailure())
                return overflowed;
        }
    }
    return overflowed;
}

TEST_P(GoldenTraining, RunsEqualThePlainLoopsBitForBit) {
    // The diverging cases must really reach the overflow paths.
    EXPECT_GE(RunAllCases(false), 8);
}

// A fresh order every epoch, continued runs included: the kernels follow the order
// pattern by pattern, so the numbers stay those of the plain loops.
TEST_P(GoldenTraining, PermutedRunsEqualThePlainLoopsBitForBit) {
    EXPECT_GE(RunAllCases(true), 8);
}

TEST_P(GoldenTraining, NewRunAfterARunRepeatsIt) {
    const Case c{"repeat", 19, 21, 8, false, 0.04, 2, 9, 0, 1.0};
    Pair pair = MakePair(c, 77);
    TrainBoth(pair, 1, c.epochs);
    const PublicStuff first = pair.core;
    // Start Training clears the weights before the new run.
    pair.core.Weights.Clear();
    for (auto& row : pair.plain.Weights)
        for (PlainWeight& w : row)
            w = PlainWeight{};
    TrainBoth(pair, 1, c.epochs);
    ExpectSameState(pair);
    EXPECT_TRUE(SameBits("TotalSSE", pair.core.TotalSSE, first.TotalSSE));
    EXPECT_EQ(pair.core.Weights.Storage(), first.Weights.Storage());
}

const PathCase kPaths[] = {
    {"Reference", {EpochTrainerSettings::Path::kReference, 0, 0}},
    {"Auto", {EpochTrainerSettings::Path::kAuto, 0, 0}},
    {"Baseline", {EpochTrainerSettings::Path::kBaseline, 1, 0}},
    {"Avx2", {EpochTrainerSettings::Path::kAvx2, 1, 0}},
    {"BaselineTwoThreads", {EpochTrainerSettings::Path::kBaseline, 2, 0}},
    {"Avx2TwoThreads", {EpochTrainerSettings::Path::kAvx2, 2, 0}},
    {"Avx2ThreeThreadsChunksOfOne", {EpochTrainerSettings::Path::kAvx2, 3, 1}},
    {"BaselineChunksOfThree", {EpochTrainerSettings::Path::kBaseline, 1, 3}},
    {"Avx2WideBlocks", {EpochTrainerSettings::Path::kAvx2, 1, 0, 16}},
    {"Avx2WideBlocksThreeThreadsChunksOfTwo", {EpochTrainerSettings::Path::kAvx2, 3, 2, 16}},
    {"BaselineWideBlocksTwoThreads", {EpochTrainerSettings::Path::kBaseline, 2, 0, 16}},
    {"Avx512", {EpochTrainerSettings::Path::kAvx512, 1, 0, 8}},
    {"Avx512WideBlocksTwoThreads", {EpochTrainerSettings::Path::kAvx512, 2, 0, 16}},
    {"Avx512WidestBlocks", {EpochTrainerSettings::Path::kAvx512, 1, 0, 32}},
    {"Avx512WidestBlocksThreeThreadsChunksOfOne", {EpochTrainerSettings::Path::kAvx512, 3, 1, 32}},
    {"Avx512ChosenBlocksChunksOfThree", {EpochTrainerSettings::Path::kAvx512, 1, 3}},
};

INSTANTIATE_TEST_SUITE_P(Paths, GoldenTraining, ::testing::ValuesIn(kPaths),
                         [](const auto& info) { return std::string(info.param.name); });

// The settings really select the way epochs are computed.
TEST(EpochTrainerPaths, SettingsChooseKernelsAndThreads) {
    if (!kernels::Supports(kernels::InstructionSet::kBaseline))
        GTEST_SKIP() << "built without the vector kernels";
    struct Row {
        EpochTrainerSettings settings;
        bool kernels;
        int threads;
    };
    const Row rows[] = {
        {{EpochTrainerSettings::Path::kReference, 2, 0}, false, 1},
        {{EpochTrainerSettings::Path::kBaseline, 1, 0}, true, 1},
        {{EpochTrainerSettings::Path::kBaseline, 2, 0}, true, 2},
        {{EpochTrainerSettings::Path::kAvx2, 3, 0}, true, 3},
        {{EpochTrainerSettings::Path::kAvx2, 9, 0}, true, 3},  // one thread per block at most
        {{EpochTrainerSettings::Path::kAvx512, 2, 0, 8}, true, 2},
        {{EpochTrainerSettings::Path::kAuto, 0, 0}, true, 1},  // too small to share
    };
    for (const Row& row : rows) {
        SetEpochTrainerSettings(row.settings);
        Pair pair = MakePair({"paths", 4, 20, 3, false, 0.1, 1, 1, 0, 1.0}, 5);
        EpochTrainer trainer(pair.core);
        EXPECT_EQ(trainer.UsesKernels(), row.kernels);
        EXPECT_EQ(trainer.Threads(), row.threads);
        if (row.settings.path == EpochTrainerSettings::Path::kBaseline) {
            EXPECT_EQ(trainer.InstructionSet(), kernels::InstructionSet::kBaseline);
        }
        if (row.settings.path == EpochTrainerSettings::Path::kAvx512) {
            EXPECT_EQ(trainer.InstructionSet(), kernels::Supports(kernels::InstructionSet::kAvx512)
                                                    ? kernels::InstructionSet::kAvx512
                                                    : kernels::InstructionSet::kBaseline);
        }
    }
    SetEpochTrainerSettings({});
}

// Wide blocks are chosen only where their padding stays small and the vectors are wide;
// a width the instruction set's kernels lack is not taken even when asked for.
TEST(EpochTrainerPaths, BlockWidthFollowsTheShape) {
    if (!kernels::Supports(kernels::InstructionSet::kBaseline))
        GTEST_SKIP() << "built without the vector kernels";
    struct Row {
        int outputs;
        int avx2Lanes;
        int avx512Lanes;
    };
    const Row rows[] = {{8, 8, 8},     {50, 8, 8}, {64, 16, 32}, {100, 16, 16},
                        {784, 16, 32}, {65, 8, 8}, {96, 16, 32}};
    const auto lanesOf = [](Pair& pair, EpochTrainerSettings settings,
                            kernels::InstructionSet isa) {
        SetEpochTrainerSettings(settings);
        EpochTrainer trainer(pair.core);
        return trainer.InstructionSet() == isa ? trainer.Lanes() : 0;
    };
    using enum EpochTrainerSettings::Path;
    const bool avx2 = kernels::Supports(kernels::InstructionSet::kAvx2);
    const bool avx512 = kernels::Supports(kernels::InstructionSet::kAvx512);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.outputs) + " outputs");
        Pair pair = MakePair({"lanes", 3, row.outputs, 2, false, 0.1, 1, 1, 0, 1.0}, 3);
        EXPECT_EQ(lanesOf(pair, {kBaseline, 1, 0}, kernels::InstructionSet::kBaseline), 8);
        EXPECT_EQ(lanesOf(pair, {kBaseline, 1, 0, 32}, kernels::InstructionSet::kBaseline), 8);
        if (avx2) {
            EXPECT_EQ(lanesOf(pair, {kAvx2, 1, 0}, kernels::InstructionSet::kAvx2), row.avx2Lanes);
            EXPECT_EQ(lanesOf(pair, {kAvx2, 1, 0, 32}, kernels::InstructionSet::kAvx2),
                      row.avx2Lanes);
        }
        if (avx512) {
            EXPECT_EQ(lanesOf(pair, {kAvx512, 1, 0}, kernels::InstructionSet::kAvx512),
                      row.avx512Lanes);
        }
    }
    SetEpochTrainerSettings({});
}

// A state whose arrays disagree with its counts is left to the checking routines, which
// report it instead of reading past the arrays.
TEST(EpochTrainerPaths, InconsistentSizesAreReportedNotRead) {
    Pair pair = MakePair({"sizes", 4, 6, 3, false, 0.1, 1, 1, 0, 1.0}, 9);
    pair.core.NumOutputs = 7;
    EpochTrainer trainer(pair.core);
    EXPECT_FALSE(trainer.UsesKernels());
    try {
        trainer.RunEpoch();
        ADD_FAILURE() << "no error";
    } catch (const RunTimeException& e) {
        EXPECT_EQ(e.Error().Number, kSubscriptOutOfRange);
    }
}

}  // namespace
}  // namespace mnemex
