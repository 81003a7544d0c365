// Reading speed of the training-file reader against the reader it replaced (one string per
// value, strtod_l), on the same file in the same run, the fixed cost of reading any file
// (opening it, buffers, the first allocations: a file of six values) and the reader's
// memory beyond the pattern store.
//
// Usage: reader_bench FILE.net [repeats]   (default 7; warm cache, one thread)
//   bench/make_example.py /tmp/many.net 1000 50 2000 writes the 1000 x 50 x 2000 case.

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/PublicStuff.h"
#include "core/TrainingFile.h"
#include "tests/support/ReferenceTrainingFile.h"

namespace {

using mnemex::PublicStuff;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Best {
    double wall = 1e30, cpu = 1e30;
};

template <class Read>
void TimeOnce(Best& best, Read read) {
    PublicStuff state;
    const double cpu = CpuSeconds();
    const auto wall = std::chrono::steady_clock::now();
    if (auto error = read(state)) {
        std::fprintf(stderr, "%s\n", error->Message.c_str());
        std::exit(1);
    }
    best.wall = std::min(
        best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
    best.cpu = std::min(best.cpu, CpuSeconds() - cpu);
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// Peak resident memory in kB since the last reset (Linux: VmHWM).
long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: reader_bench FILE.net [repeats]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    // Memory first, while the process is still small: the peak growth during one read,
    // less the pattern store it fills.
    long overhead = 0;
    {
        ResetPeak();
        const long before = PeakKilobytes();
        PublicStuff state;
        mnemex::ReadTrainingFile(state, path);
        const long store = static_cast<long>(
            (state.InputPatterns.Storage().capacity() + state.DesiredOutputs.Storage().capacity()) *
            sizeof(double) / 1024);
        overhead = PeakKilobytes() - before - store;
    }

    PublicStuff once, reference;
    mnemex::ReadTrainingFile(once, path);
    mnemex::testsupport::ReferenceReadTrainingFile(reference, path);
    const bool same = SameBits(once.InputPatterns.Storage(), reference.InputPatterns.Storage()) &&
                      SameBits(once.DesiredOutputs.Storage(), reference.DesiredOutputs.Storage());

    Best old, now, watched;
    long long reports = 0;
    // What the introductory page's worker thread pays for its progress bar.
    const mnemex::ReadProgress count = [&reports](long long, long long) {
        ++reports;
        return true;
    };
    for (int r = 0; r < repeats; ++r) {
        TimeOnce(old, [&](PublicStuff& s) {
            return mnemex::testsupport::ReferenceReadTrainingFile(s, path);
        });
        TimeOnce(now, [&](PublicStuff& s) { return mnemex::ReadTrainingFile(s, path); });
        TimeOnce(watched, [&](PublicStuff& s) { return mnemex::ReadTrainingFile(s, path, count); });
    }
    std::printf("%s: %.1f MB, %d x %d x %d, best of %d\n", path.c_str(), megabytes, once.NumInputs,
                once.NumOutputs, once.NumPatterns, repeats);
    std::printf("%-28s %10s %10s %12s %12s\n", "reader", "wall s", "cpu s", "MB/s wall",
                "MB/s cpu");
    std::printf("%-28s %10.4f %10.4f %12.1f %12.1f\n", "string per value + strtod_l", old.wall,
                old.cpu, megabytes / old.wall, megabytes / old.cpu);
    std::printf("%-28s %10.4f %10.4f %12.1f %12.1f\n", "scanned in place (now)", now.wall, now.cpu,
                megabytes / now.wall, megabytes / now.cpu);
    std::printf("%-28s %10.4f %10.4f %12.1f %12.1f\n", "the same, progress reported", watched.wall,
                watched.cpu, megabytes / watched.wall, megabytes / watched.cpu);
    std::printf("progress reports per read: %lld\n", reports / repeats);
    // The fixed cost per file, from a file of six values written beside the others.
    const auto tiny = std::filesystem::temp_directory_path() /
                      ("reader_bench_" + std::to_string(getpid()) + ".net");
    std::ofstream(tiny) << "1 0 1 1\n0.5 -0.25\n";
    Best oldTiny, nowTiny;
    for (int r = 0; r < 50 * repeats; ++r) {
        TimeOnce(oldTiny, [&](PublicStuff& s) {
            return mnemex::testsupport::ReferenceReadTrainingFile(s, tiny.string());
        });
        TimeOnce(nowTiny,
                 [&](PublicStuff& s) { return mnemex::ReadTrainingFile(s, tiny.string()); });
    }
    std::filesystem::remove(tiny);
    std::printf(
        "fixed cost per file (six values), microseconds wall / cpu: old %.1f / %.1f, "
        "now %.1f / %.1f\n",
        1e6 * oldTiny.wall, 1e6 * oldTiny.cpu, 1e6 * nowTiny.wall, 1e6 * nowTiny.cpu);
    std::printf("speed-up: %.1f wall, %.1f cpu\n", old.wall / now.wall, old.cpu / now.cpu);
    std::printf("values bit for bit the same: %s\n", same ? "yes" : "NO");
    std::printf("peak memory beyond the pattern store: %ld kB\n", overhead);
    return same ? 0 : 1;
}
