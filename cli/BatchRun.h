#pragma once
// One batch run: load, train as Start Training does, continue, write results.

#include <atomic>
#include <cstdint>
#include <ostream>

#include "cli/BatchOptions.h"
#include "core/PublicStuff.h"

namespace mnemex::batch {

enum ExitCode : int { kExitOk = 0, kExitTrainingError = 1, kExitUsage = 2 };

// Where a batch run writes: display lines, messages, and results asked for as "-".
struct BatchStreams {
    std::ostream& Out;
    std::ostream& Err;
    // Results for the standard output when StandardOutputFd is -1 (then only "-" means it).
    std::ostream& Json;
    // The program's standard output: results named "-" or by any other name of the same
    // open file are written to this descriptor, so none is ever renamed over.
    int StandardOutputFd = -1;
};

// Runs the options on `state`. Setting `stop` ends the current run after its epoch
// (results so far are still written). A positive `epochsPerRun` ends every run after that
// many epochs as if it had been stopped, later runs still following (for fuzzing, where
// typed epoch counts may be huge). Returns the exit status; never throws.
int RunBatch(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
             const std::atomic<bool>& stop, std::int32_t epochsPerRun = 0);

// True when one of the results would go to the standard output `fd`: the display lines
// must then go elsewhere.
bool ResultGoesToStandardOutput(const BatchOptions& options, int fd);

}  // namespace mnemex::batch
