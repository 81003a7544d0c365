#pragma once
// What a batch run checks before it trains: results that would land on the run's own files,
// and option values the run would otherwise meet only after training, or never read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/BatchOptions.h"
#include "core/TrainingSession.h"

namespace mnemex::batch {

// The results the options ask for, by option name, in the order they are written.
struct NamedResult {
    const char* Option;
    const std::string* Path;
};
std::vector<NamedResult> RequestedResults(const BatchOptions& options);

// The one-line message for a result that would replace the training file, the saved state
// being resumed (only --save-state may, as that is read whole first) or another result;
// nothing when every result has a place of its own.
std::optional<std::string> ResultClash(const BatchOptions& options);

struct ValueCheck {
    std::optional<std::string> Refusal;  // the one-line message when a value is refused
    std::vector<std::string> Warnings;   // one line per option that has no effect
};

// Checks every value given against the settings of the first run (`first`), as the runs
// would check them, before any is trained: the first run on a network that has trained
// `epochsSoFar` epochs (a fresh one when `fresh`), then every --continue, each assumed to
// go as far as its epoch count allows. Values the runs would never read are checked too.
ValueCheck CheckValues(const BatchOptions& options, const RunSettings& first, bool fresh,
                       std::int32_t epochsSoFar);

}  // namespace mnemex::batch
