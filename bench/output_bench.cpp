// How fast results become bytes: the JSON result, the saved state, the weight CSV and the
// test-all table of a trained 784 x 784 x 100 network, formatted alone and written through
// the result writer into a memory file system; and, apart, what the flush to the disk of
// an atomic replace costs.
//
// Usage: output_bench [--repeats N] [--memory DIR] [--disk DIR]
//   --memory: a folder on a memory file system (default /dev/shm); --disk: a folder on a
//   disk, for the flush (default the current folder). Files written are removed again.
//
// Only interfaces the batch command already had are used, so the same file measures older
// writers too. Each output's bytes are fingerprinted, which must not change.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cli/ExperimentResults.h"
#include "cli/JsonResult.h"
#include "core/PublicStuff.h"
#include "core/Recall.h"
#include "core/TestAllMeasures.h"
#include "core/TrainingRun.h"
#include "core/WeightExport.h"
#include "core/output/ResultFile.h"
#include "core/saved_network/SavedNetwork.h"

using namespace mnemex;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::uint64_t Fingerprint(const std::string& bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 0x100000001B3ull;
    return h;
}

// The network of docs/speed.md's batch figures: 784 pixel-like inputs recalled by 784
// outputs over 100 patterns, Delta rule, rate 0.001, 6 epochs.
void Train(PublicStuff& s, std::vector<double>& values) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> pixel(0.0, 1.0);
    values.resize(784u * 100u);
    for (double& v : values)
        v = pixel(rng);
    s.NumInputs = s.NumOutputs = 784;
    s.NumPatterns = 100;
    s.InputPatterns.Adopt(784, 100, values);
    s.DesiredOutputs.Adopt(784, 100, values);
    s.ReallocateNetwork();
    s.TrainingFileName = "images.net";
    s.LearningRule = "Delta";
    s.LearningRate = 0.001;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = 6;
    s.PrintInterval = 1;
    s.NewRun = 1;
    SilentDisplay display;
    TrainNetwork(s, display, 6);
}

struct Figures {
    std::vector<double> rates;
    void Add(double mbPerSecond) { rates.push_back(mbPerSecond); }
    void Print(const char* what, std::size_t bytes, std::uint64_t fingerprint) const {
        std::printf("%-44s %9.2f MB  %7.0f to %7.0f MB/s  (", what, bytes / 1e6,
                    *std::min_element(rates.begin(), rates.end()),
                    *std::max_element(rates.begin(), rates.end()));
        for (std::size_t k = 0; k < rates.size(); ++k)
            std::printf("%s%.0f", k ? " " : "", rates[k]);
        std::printf(")  bytes %016llx\n", static_cast<unsigned long long>(fingerprint));
    }
};

// Formats with `make` alone, then formats and writes through the result writer to `path`.
void Measure(const char* what, int repeats, const std::string& path,
             const std::function<std::string()>& make) {
    Figures formatted, written;
    std::size_t bytes = 0;
    std::uint64_t fingerprint = 0;
    for (int r = 0; r < repeats; ++r) {
        auto start = Clock::now();
        const std::string text = make();
        formatted.Add(text.size() / 1e6 / Seconds(start));
        bytes = text.size();
        fingerprint = Fingerprint(text);
        start = Clock::now();
        const std::string again = make();
        const auto failed = output::WriteWhole(path, again);
        written.Add(again.size() / 1e6 / Seconds(start));
        if (failed)
            std::printf("  %s: not written: %s\n", what, failed->Reason().c_str());
    }
    ::unlink(path.c_str());
    formatted.Print((std::string(what) + ", formatted").c_str(), bytes, fingerprint);
    written.Print((std::string(what) + ", formatted and written").c_str(), bytes, fingerprint);
}

// The flush of a file as large as the JSON result, timed apart from writing it.
void MeasureFlush(int repeats, const std::string& folder, const std::string& bytes) {
    const std::string path = folder + "/output_bench_flush.tmp";
    std::vector<double> ms;
    for (int r = 0; r < repeats; ++r) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) {
            std::printf("flush: cannot create %s\n", path.c_str());
            return;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        const auto start = Clock::now();
        ::fsync(fd);
        ms.push_back(1e3 * Seconds(start));
        ::close(fd);
        ::unlink(path.c_str());
    }
    std::printf("fsync of a %.2f MB file in %s: %.1f to %.1f ms (", bytes.size() / 1e6,
                folder.c_str(), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()));
    for (std::size_t k = 0; k < ms.size(); ++k)
        std::printf("%s%.1f", k ? " " : "", ms[k]);
    std::printf(")\n");
}

}  // namespace

int main(int argc, char** argv) {
    int repeats = 7;
    std::string memory = "/dev/shm";
    std::string disk = ".";
    for (int a = 1; a + 1 < argc; a += 2) {
        if (std::strcmp(argv[a], "--repeats") == 0)
            repeats = std::max(1, std::atoi(argv[a + 1]));
        else if (std::strcmp(argv[a], "--memory") == 0)
            memory = argv[a + 1];
        else if (std::strcmp(argv[a], "--disk") == 0)
            disk = argv[a + 1];
    }
    PublicStuff s;
    std::vector<double> values;
    Train(s, values);
    batch::ExperimentOptions options;
    options.TestAll = true;
    batch::ExperimentFigures figures;
    figures.TestAll = MeasureAllPatterns(s);
    const RunMemory run{6, 1.0};
    const std::string sha(64, '0');
    const std::string stem = memory + "/output_bench." + std::to_string(::getpid());

    std::printf("784 x 784 x 100, Delta, 6 epochs; best and worst of %d\n", repeats);
    Measure("JSON result with the test-all table", repeats, stem + ".json",
            [&] { return batch::JsonResult(s, batch::ExperimentJsonMembers(options, figures)); });
    Measure("saved state", repeats, stem + ".state", [&] { return StateFileText(s, run, sha); });
    Measure("weight CSV", repeats, stem + ".csv", [&] { return WeightsCsv(s.Weights); });
    Measure("test-all table (JSON members)", repeats, stem + ".members",
            [&] { return batch::ExperimentJsonMembers(options, figures); });
    MeasureFlush(repeats, disk, batch::JsonResult(s));
    return 0;
}
