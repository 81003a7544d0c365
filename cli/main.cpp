// mnemex-batch: trains a distributed associative memory from the command line.

#include <pthread.h>

#include <atomic>
#include <clocale>
#include <csignal>
#include <iostream>
#include <thread>

#include "cli/BatchCommand.h"
#include "core/output/PendingNames.h"

namespace {

std::atomic<bool> stopRequested{false};

// SIGINT and SIGTERM are taken by a thread of their own, never by a handler: the first
// Ctrl-C ends the run after its current epoch; a second one, or SIGTERM, removes the
// temporary files of unfinished results and ends the program by that signal, as it would
// have ended without a handler. Called before any other thread starts, so that every
// thread keeps the two signals blocked.
void WatchSignals() {
    sigset_t caught;
    sigemptyset(&caught);
    sigaddset(&caught, SIGINT);
    sigaddset(&caught, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &caught, nullptr);
    std::thread([caught] {
        bool interrupted = false;
        for (;;) {
            int number = 0;
            if (sigwait(&caught, &number) != 0)
                continue;
            if (number == SIGINT && !interrupted) {
                interrupted = true;
                stopRequested.store(true);
                continue;
            }
            mnemex::output::RemovePendingNames();
            std::signal(number, SIG_DFL);
            sigset_t only;
            sigemptyset(&only);
            sigaddset(&only, number);
            pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
            std::raise(number);
        }
    }).detach();
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    const std::vector<std::string> args(argv + 1, argv + argc);
    return mnemex::batch::RunBatchCommand(args, 1, stopRequested, WatchSignals);
}
