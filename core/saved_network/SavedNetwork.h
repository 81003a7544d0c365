#pragma once
// Saving the whole training state to a JSON file and resuming it later, to the bit.
// docs/state.md describes the file.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/output/ResultFile.h"

namespace mnemex {

// The format version this program writes; it reads this one and older ones.
inline constexpr std::int64_t kStateFormatVersion = 1;
// The value of the file's "format" member, telling a saved network from other JSON.
inline constexpr const char* kStateFormatName = "mnemex saved network";

// What a saved network carries besides the program-wide state: what the last run was
// asked for and what its final display showed.
struct RunMemory {
    std::int32_t RunEpochs = 0;        // the epochs box of the last run (epochs per run)
    std::optional<double> LastChange;  // its "Change in SSE", none when it ended at epoch 1
};

// A saved network read back and checked: the pattern store from the training file, the
// network, the parameters and the training record, ready to replace the current state.
struct SavedNetwork {
    PublicStuff State;
    RunMemory Run;
};

// Asked now and then while files are read and hashed; true ends the work there (a caller
// that lets Ctrl-C end a wait). An empty one never stops.
using StopCheck = std::function<bool()>;

// The largest state file read for a network of `inputs` x `outputs` (the sizes the file
// declares; 0 when it declares none that are valid): 64 bytes for every number those sizes
// call for, the weights and a full SSE history, plus 1 MiB. A larger file is refused before
// it is parsed, so a file cannot make the reader take more memory than its network needs.
std::uint64_t LargestStateFileBytes(std::int64_t inputs, std::int64_t outputs);

// The state file's text for `state`, whose training file's contents hash to `sha256`.
std::string StateFileText(const PublicStuff& state, const RunMemory& run,
                          const std::string& sha256);

// Saves `state` to `statePath` through the result writer. The training file is
// state.TrainingFilePath; it is hashed here and read again to make sure it still holds the
// patterns in the state. Returns the message naming the file and the reason on failure.
std::optional<std::string> SaveNetworkState(const PublicStuff& state, const RunMemory& run,
                                            const std::string& statePath,
                                            const output::WriteOptions& options = {},
                                            const StopCheck& stop = {});

// The message SaveNetworkState would give for a network trained on `trainingPath` whatever the
// run: the training file is a pipe, device or socket, which cannot be read again to hash it
// (and may wait for ever). Front ends ask before training, so that nothing is trained in
// vain; nothing for any other file (saving says what is wrong with it then).
std::optional<std::string> SaveRefusedBeforeTraining(const std::string& trainingPath,
                                                     const std::string& statePath);

struct LoadedNetwork {
    std::optional<SavedNetwork> Network;  // nothing on refusal
    std::string Message;                  // on refusal: names the file and the reason
    // The training file's name the state file gives, once the state file has been read.
    std::string TrainingName;
    // On refusal: the state file was sound, but the training file is missing, unreadable
    // or another file than the one the network was trained on.
    bool WrongTrainingFile = false;
    // On refusal, when no training file was given: the file the state names cannot be
    // used (not a plain file name, or not a regular file beside the state file); the caller
    // may name the training file instead.
    bool NamedFileUnusable = false;
    // The stop check ended the work.
    bool Interrupted = false;
};

// Reads and checks the state file at `statePath`, a regular file no larger than
// LargestStateFileBytes, with memory for its network and a fixed amount more; only then is
// the training file hashed. The training file is `trainingPath`, or, when that is empty, the
// file the state names, which must be a plain file name (no folder, not "." or "..") of a
// regular file beside the state file: a state never makes the program read another path.
// Refuses a missing, non-regular or different training file (SHA-256), a damaged or
// truncated state file, a newer format version, numbers that are not finite and sizes that
// disagree with the training file. Touches nothing outside the result.
LoadedNetwork LoadNetworkState(const std::string& statePath, const std::string& trainingPath = {},
                               const StopCheck& stop = {});

// Puts a loaded network in place of `state`, as after a finished run that Continue
// Training carries on: NewRun 0, unit records 0; the report name stays.
void AdoptSavedNetwork(PublicStuff& state, SavedNetwork&& saved);

}  // namespace mnemex
