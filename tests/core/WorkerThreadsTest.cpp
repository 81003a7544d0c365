// Networks large enough that each epoch is shared among worker threads: the run gives the
// same weights, error history and unit records as one pattern at a time, bit for bit. (Also
// the case the thread checker build runs to look for data races in the crew.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>

#include "core/TrainingEpoch.h"
#include "core/TrainingRun.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

// 160 inputs x 128 outputs x 100 patterns: about 2 million weight updates per epoch, the size
// from which the trainer shares epochs among threads by itself.
constexpr int kInputs = 160;
constexpr int kOutputs = 128;
constexpr int kPatterns = 100;

// Values in [-0.5, 0.5) from a fixed sequence, so every run sees the same file.
std::vector<double> Values(std::size_t count, std::uint32_t seed) {
    std::vector<double> out(count);
    for (double& v : out) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<double>(seed >> 8) / static_cast<double>(1u << 24) - 0.5;
    }
    return out;
}

PublicStuff LargeNetwork(const char* rule) {
    PublicStuff s = testsupport::MakeNetwork(kInputs, kOutputs, Values(kInputs * kPatterns, 1),
                                             Values(kOutputs * kPatterns, 2));
    s.LearningRule = rule;
    s.LearningRate = 0.002;
    s.StopAtMaxEpochs = 1;
    s.StopAtMinError = 0;
    s.MaxEpochs = 4;
    s.PrintInterval = 1;
    s.NewRun = 1;
    return s;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

RunResult Train(PublicStuff& s, const EpochTrainerSettings& settings) {
    SetEpochTrainerSettings(settings);
    SilentDisplay display;
    const RunResult result = TrainNetwork(s, display, s.MaxEpochs);
    SetEpochTrainerSettings({});
    return result;
}

TEST(WorkerThreads, LargeNetworkSharedAmongThreadsTrainsAsOnePatternAtATime) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    struct Row {
        const char* what;
        EpochTrainerSettings settings;
        int threads;  // expected; 0: one per core, at most one per block of output units
    };
    const Row rows[] = {
        {"chosen by size", {}, 0},
        {"two threads asked for", {EpochTrainerSettings::Path::kAuto, 2, 0}, 2},
    };
    for (const char* rule : {"Hebb", "Delta"}) {
        PublicStuff reference = LargeNetwork(rule);
        ASSERT_EQ(Train(reference, {EpochTrainerSettings::Path::kReference, 0, 0}).Outcome,
                  RunOutcome::kFinished);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(rule) + ", " + row.what);
            PublicStuff shared = LargeNetwork(rule);
            SetEpochTrainerSettings(row.settings);
            {
                EpochTrainer trainer(shared);
                const int blocks = kOutputs / trainer.Lanes();
                EXPECT_EQ(trainer.Threads(),
                          row.threads > 0 ? row.threads : std::min(cores, blocks));
            }
            ASSERT_EQ(Train(shared, row.settings).Outcome, RunOutcome::kFinished);
            EXPECT_EQ(shared.EpochCount, 4);
            EXPECT_TRUE(SameBits(shared.TotalSSE, reference.TotalSSE));
            EXPECT_EQ(shared.Weights.Storage(), reference.Weights.Storage());
            ASSERT_EQ(shared.SSECount, 5);
            for (std::size_t r = 1; r <= 5; ++r) {
                EXPECT_TRUE(SameBits(shared.SSEHistory[r][2], reference.SSEHistory[r][2]));
            }
            for (int j = 1; j <= kOutputs; ++j) {
                EXPECT_TRUE(SameBits(shared.OutputUnits(j).Error, reference.OutputUnits(j).Error));
            }
        }
    }
}

}  // namespace
}  // namespace mnemex
