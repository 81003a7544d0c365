#pragma once
// One batch run: load, train as Start Training does, continue, write results.

#include <atomic>
#include <ostream>

#include "cli/BatchOptions.h"
#include "core/PublicStuff.h"

namespace mnemex::batch {

enum ExitCode : int { kExitOk = 0, kExitTrainingError = 1, kExitUsage = 2 };

// Where a batch run writes: display lines, messages, and JSON asked for as "-".
struct BatchStreams {
    std::ostream& Out;
    std::ostream& Err;
    std::ostream& Json;
};

// Runs the options on `state`. Setting `stop` ends the current run after its epoch
// (results so far are still written). Returns the exit status.
int RunBatch(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
             const std::atomic<bool>& stop);

// A message whose lines are joined by CR, with the lines joined by newlines instead.
std::string ConsoleText(const std::string& message);

}  // namespace mnemex::batch
