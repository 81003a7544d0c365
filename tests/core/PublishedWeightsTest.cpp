// The weights a reader sees while a run is open: through the hook a page's timer calls from
// the run's event pump, and between the slices of a run trained in slices. The kernels keep
// the weights in their own layout during a run; whatever a reader is shown must be, bit for
// bit, what the pattern-by-pattern routines leave after the same epoch.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/PublicStuff.h"
#include "core/TrainingEpoch.h"
#include "core/TrainingRun.h"
#include "core/kernels/EpochKernels.h"

namespace mnemex {
namespace {

using Path = EpochTrainerSettings::Path;

// Weights and Change of every connection, as bits.
std::vector<std::uint64_t> Snapshot(const PublicStuff& s) {
    std::vector<std::uint64_t> bits;
    for (int j = 1; j <= s.NumOutputs; ++j) {
        for (int i = 1; i <= s.NumInputs; ++i) {
            bits.push_back(std::bit_cast<std::uint64_t>(s.Weights.Weight(j, i)));
            bits.push_back(std::bit_cast<std::uint64_t>(s.Weights.Change(j, i)));
        }
    }
    return bits;
}

// At every printout, reads the weights as the inside page's timer does.
class ReadingDisplay : public SilentDisplay {
  public:
    explicit ReadingDisplay(PublicStuff& state) : state_(state) {}
    void Printout(const std::string&, const std::string&, const std::string&,
                  PanelColour) override {
        PublishTrainingWeights(state_);
        seen.push_back(Snapshot(state_));
    }
    std::vector<std::vector<std::uint64_t>> seen;

  private:
    PublicStuff& state_;
};

struct Network {
    const char* name;
    int inputs, outputs, patterns;
    bool hebb;
    bool permuted;
    double rate;
    int epochs;
};

PublicStuff MakeState(const Network& n) {
    std::mt19937_64 rng(2718);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    PublicStuff s;
    s.NumInputs = n.inputs;
    s.NumOutputs = n.outputs;
    s.NumPatterns = n.patterns;
    s.InputPatterns.Reallocate(n.inputs, n.patterns);
    s.DesiredOutputs.Reallocate(n.outputs, n.patterns);
    for (int p = 1; p <= n.patterns; ++p) {
        for (int i = 1; i <= n.inputs; ++i)
            s.InputPatterns(i, p) = value(rng);
        for (int j = 1; j <= n.outputs; ++j)
            s.DesiredOutputs(j, p) = value(rng);
    }
    s.ReallocateNetwork();
    s.LearningRule = n.hebb ? "Hebb" : "Delta";
    s.LearningRate = n.rate;
    s.Order.Permuted = n.permuted;
    s.Order.Seed = 99;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = n.epochs;
    s.PrintInterval = 1;
    s.NewRun = 1;
    return s;
}

// What a reader sees after each epoch when the state is written every epoch (the
// pattern-by-pattern routines), and how the run ends.
struct Seen {
    std::vector<std::vector<std::uint64_t>> epochs;
    RunOutcome outcome;
    std::vector<std::uint64_t> end;
};

Seen TrainReading(const Network& n, const EpochTrainerSettings& how) {
    SetEpochTrainerSettings(how);
    PublicStuff s = MakeState(n);
    ReadingDisplay display(s);
    const RunResult r = TrainNetwork(s, display, n.epochs);
    SetEpochTrainerSettings({});
    return {display.seen, r.Outcome, Snapshot(s)};
}

const Network kNetworks[] = {
    {"Delta", 13, 21, 9, false, false, 0.03, 12},
    {"Hebb", 13, 21, 9, true, false, 0.01, 12},
    {"Delta, permuted order", 17, 33, 23, false, true, 0.02, 8},
    {"Delta, one block exactly", 11, 8, 5, false, false, 0.05, 10},
    {"Delta diverging to an overflow", 9, 12, 5, false, false, 3.0, 400},
};

struct Way {
    const char* name;
    EpochTrainerSettings settings;
};

const Way kWays[] = {
    {"baseline kernels", {Path::kBaseline, 1, 0, 0}},
    {"baseline kernels, two threads", {Path::kBaseline, 2, 0, 0}},
    {"AVX2 kernels, chunks of two", {Path::kAvx2, 1, 2, 0}},
    {"AVX2 wide blocks, three threads, chunks of one", {Path::kAvx2, 3, 1, 16}},
    {"AVX-512 kernels, chunks of two", {Path::kAvx512, 1, 2, 8}},
    {"AVX-512 widest blocks, two threads, chunks of one", {Path::kAvx512, 2, 1, 32}},
};

bool Runs(const Way& way) {
    switch (way.settings.path) {
        case Path::kAvx2:
            return kernels::Supports(kernels::InstructionSet::kAvx2);
        case Path::kAvx512:
            return kernels::Supports(kernels::InstructionSet::kAvx512);
        default:
            return kernels::Supports(kernels::InstructionSet::kBaseline);
    }
}

TEST(PublishedWeights, ReadDuringTheRunAreThoseOfTheRoutinesAtThatEpoch) {
    int ran = 0;
    for (const Network& n : kNetworks) {
        const Seen expected = TrainReading(n, {Path::kReference, 0, 0, 0});
        ASSERT_FALSE(expected.epochs.empty()) << n.name;
        for (const Way& way : kWays) {
            if (!Runs(way))
                continue;
            ++ran;
            SCOPED_TRACE(std::string(n.name) + ", " + way.name);
            const Seen seen = TrainReading(n, way.settings);
            EXPECT_EQ(seen.outcome, expected.outcome);
            ASSERT_EQ(seen.epochs.size(), expected.epochs.size());
            for (std::size_t e = 0; e < seen.epochs.size(); ++e)
                EXPECT_EQ(seen.epochs[e], expected.epochs[e]) << "epoch " << e + 1;
            EXPECT_EQ(seen.end, expected.end);
        }
    }
    if (ran == 0)
        GTEST_SKIP() << "built without the vector kernels";
}

TEST(PublishedWeights, ReadBetweenSlicesAreThoseOfTheRoutinesAtThatEpoch) {
    const Network n = kNetworks[0];
    const Seen expected = TrainReading(n, {Path::kReference, 0, 0, 0});
    for (const Way& way : kWays) {
        if (!Runs(way))
            continue;
        SCOPED_TRACE(way.name);
        SetEpochTrainerSettings(way.settings);
        PublicStuff s = MakeState(n);
        SilentDisplay display;
        TrainingRun run(s, display, n.epochs);
        std::size_t epochs = 0;
        bool ended = false;
        while (!ended) {
            ended = run.Advance(5);
            epochs = static_cast<std::size_t>(s.EpochCount);
            ASSERT_LE(epochs, expected.epochs.size());
            EXPECT_EQ(Snapshot(s), expected.epochs[epochs - 1]) << "after epoch " << epochs;
        }
        SetEpochTrainerSettings({});
        EXPECT_EQ(epochs, expected.epochs.size());
    }
}

}  // namespace
}  // namespace mnemex
