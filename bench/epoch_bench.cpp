// Epochs per second of the core alone (TrainNetwork, as shipped), on image-sized networks.
//
// Usage: epoch_bench [--repeats N] [--epochs N] [--slices N] [--one-thread-128] [--avx2]
//                    [--threads N] [--lanes N] [name]
//   --repeats: timed runs per case, each printed (default 5); --epochs: epochs per run
//   instead of each case's own (for a profile); --slices: train each run in
//   slices of N epochs through TrainingRun::Advance, as a caller without threads does;
//   --one-thread-128: the 128-bit (SSE2) kernels on one thread, what the browser build
//   runs (its WebAssembly SIMD is that wide and it has one thread); --avx2: the 256-bit
//   kernels where the processor has wider ones; --threads, --lanes: that many threads and
//   output units per block instead of the automatic choice; name: only the cases whose
//   name contains it.
//
// Built for the browser too (build-web/bench/), so both run the same cases. Each run ends
// with a fingerprint of the weights' bits and the total SSE, which must not depend on the
// core's version, the build or the slices.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "core/PublicStuff.h"
#include "core/Recall.h"
#include "core/TrainingEpoch.h"
#include "core/TrainingRun.h"

using namespace mnemex;

namespace {

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Case {
    const char* name;
    int inputs, outputs, patterns;
    bool hebb;
    int epochs;
};

PublicStuff MakeState(const Case& c, std::vector<double>& inputs) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> pixel(0.0, 1.0);
    inputs.resize(static_cast<std::size_t>(c.inputs) * static_cast<std::size_t>(c.patterns));
    for (double& v : inputs)
        v = pixel(rng);
    PublicStuff s;
    s.NumInputs = c.inputs;
    s.NumOutputs = c.outputs;
    s.NumPatterns = c.patterns;
    s.InputPatterns.Adopt(c.inputs, c.patterns, inputs);
    s.DesiredOutputs.Adopt(c.outputs, c.patterns, inputs);
    s.ReallocateNetwork();
    s.LearningRule = c.hebb ? "Hebb" : "Delta";
    s.LearningRate = 0.001;
    s.StopAtMaxEpochs = 1;
    s.PrintInterval = 1;
    return s;
}

// The browser build's library has no std::bit_cast.
std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint64_t Fingerprint(const PublicStuff& s) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 0x100000001B3ull; };
    for (double w : s.Weights.Storage())
        mix(Bits(w));
    mix(Bits(s.TotalSSE));
    return h;
}

void RunCase(const Case& c, int repeats, long long slice) {
    std::vector<double> inputs;
    PublicStuff s = MakeState(c, inputs);
    std::printf("%s: %d x %d x %d, %s, %d epochs, %s\n", c.name, c.inputs, c.outputs, c.patterns,
                c.hebb ? "Hebb" : "Delta", c.epochs,
                slice > 0 ? ("slices of " + std::to_string(slice)).c_str() : "whole run");
    {
        EpochTrainer probe(s);
        if (probe.UsesKernels())
            std::printf("  %s kernels, %d lanes per block, %d thread%s\n",
                        mnemex::kernels::NameOf(probe.InstructionSet()), probe.Lanes(),
                        probe.Threads(), probe.Threads() == 1 ? "" : "s");
    }
    for (int r = 0; r < repeats; ++r) {
        ResetWeights(s);
        s.NewRun = 1;
        s.MaxEpochs = c.epochs;
        SilentDisplay display;
        const auto wall = std::chrono::steady_clock::now();
        // The untrained SSE is measured when the run begins; the epochs alone are timed
        // from the first Advance.
        TrainingRun run(s, display, c.epochs);
        const auto trainWall = std::chrono::steady_clock::now();
        const double trainCpu = ProcessCpuSeconds();
        while (!run.Advance(slice > 0 ? slice : INT64_MAX)) {
        }
        const double wallSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - trainWall).count();
        const double cpuSeconds = ProcessCpuSeconds() - trainCpu;
        const double wholeWall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        if (run.Result().Outcome != RunOutcome::kFinished)
            std::printf("  run failed: %s\n", run.Result().Error.Description.c_str());
        // A browser tells no processor time.
        char processor[64] = "";
        if (cpuSeconds > 0)
            std::snprintf(processor, sizeof processor, ", %.2f processor (all threads)",
                          c.epochs / cpuSeconds);
        std::printf("  run %d: %.2f epochs/s wall%s; whole run %.1f ms; weights %016llx\n", r + 1,
                    c.epochs / wallSeconds, processor, 1e3 * wholeWall,
                    static_cast<unsigned long long>(Fingerprint(s)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    int repeats = 5;
    long long slice = 0;
    int epochs = 0;
    const char* only = nullptr;
    EpochTrainerSettings settings;
    for (int a = 1; a < argc; ++a) {
        if (std::strcmp(argv[a], "--repeats") == 0 && a + 1 < argc)
            repeats = std::max(1, std::atoi(argv[++a]));
        else if (std::strcmp(argv[a], "--epochs") == 0 && a + 1 < argc)
            epochs = std::max(1, std::atoi(argv[++a]));
        else if (std::strcmp(argv[a], "--slices") == 0 && a + 1 < argc)
            slice = std::max(1LL, std::atoll(argv[++a]));
        else if (std::strcmp(argv[a], "--one-thread-128") == 0)
            settings = {EpochTrainerSettings::Path::kBaseline, 1, 0, 0};
        else if (std::strcmp(argv[a], "--avx2") == 0)
            settings.path = EpochTrainerSettings::Path::kAvx2;
        else if (std::strcmp(argv[a], "--threads") == 0 && a + 1 < argc)
            settings.threads = std::max(1, std::atoi(argv[++a]));
        else if (std::strcmp(argv[a], "--lanes") == 0 && a + 1 < argc)
            settings.lanes = std::atoi(argv[++a]);
        else
            only = argv[a];
    }
    SetEpochTrainerSettings(settings);
    Case cases[] = {
        {"images20 delta", 784, 784, 20, false, 100},
        {"images20 hebb", 784, 784, 20, true, 100},
        {"images100 delta", 784, 784, 100, false, 30},
        {"images100 hebb", 784, 784, 100, true, 30},
    };
    for (Case& c : cases) {
        if (epochs > 0)
            c.epochs = epochs;
        if (!only || std::strstr(c.name, only))
            RunCase(c, repeats, slice);
    }
    return 0;
}
