// mnemex-batch: trains a distributed associative memory from the command line.

#include <atomic>
#include <clocale>
#include <csignal>
#include <iostream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"

namespace {

std::atomic<bool> stopRequested{false};

// The first Ctrl-C ends the run after its current epoch; a second one ends the program.
extern "C" void OnInterrupt(int) {
    stopRequested.store(true);
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = mnemex::batch::ParseBatchOptions(args);
    if (!parsed.Options) {
        std::cerr << "mnemex-batch: " << parsed.Error << "\n"
                  << "Try 'mnemex-batch --help' for more information.\n";
        return mnemex::batch::kExitUsage;
    }
    if (parsed.Options->Help) {
        std::cout << mnemex::batch::BatchUsage();
        return mnemex::batch::kExitOk;
    }
    std::signal(SIGINT, OnInterrupt);
    mnemex::PublicStuff state;
    // With a result on the standard output (by any of its names), the display lines go to
    // standard error so that nothing mixes into the result.
    constexpr int kStandardOutput = 1;
    const bool resultToStdout =
        mnemex::batch::ResultGoesToStandardOutput(*parsed.Options, kStandardOutput);
    const mnemex::batch::BatchStreams streams{resultToStdout ? std::cerr : std::cout, std::cerr,
                                              std::cout, kStandardOutput};
    return mnemex::batch::RunBatch(*parsed.Options, state, streams, stopRequested);
}
