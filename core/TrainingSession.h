#pragma once
// The training workflow every front end drives: a network to train, its settings checked,
// cleared, started, continued and stopped, the record of its last run, and saving and
// opening it. The setup page, the batch command, the Python module and the browser turn
// their own input into RunSettings and the results into their own output; none of them
// calls the learning rules, the run or the saved-network file on its own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/ParameterCheck.h"
#include "core/PatternArrays.h"
#include "core/PatternOrder.h"
#include "core/PublicStuff.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "core/output/ResultFile.h"
#include "core/saved_network/SavedNetwork.h"

namespace mnemex {

// What a refused settings check leaves behind.
enum class RefusalLeaves {
    // Start Training's order: the weights are cleared before the settings are checked, and
    // settings copied before a refusal keep their new values (the setup page, the batch
    // command).
    kClearedNetwork,
    // The settings are checked first: a refusal leaves the network, the settings, the rule
    // and the order exactly as they were (the Python module).
    kNothingChanged,
};

// One Start or Continue as a front end asks for it.
struct RunSettings {
    ParameterEntries Entries;
    // How the entries' text becomes numbers: the user's conventions on the page, a point
    // everywhere else.
    NumberReader Read = ReadPlainNumber;
    std::optional<std::string> Rule;    // "Hebb" or "Delta"; none keeps LearningRule
    std::optional<PatternOrder> Order;  // none keeps the order
    RefusalLeaves OnRefusal = RefusalLeaves::kClearedNetwork;
};

// How a Start or Continue ended.
struct SessionResult {
    RunOutcome Outcome = RunOutcome::kFinished;
    CheckResult Check;             // the settings check; its verdict says why when kRefused
    RunTimeError Error;            // when kFailed
    std::optional<double> Change;  // the last change in total SSE, as the final display showed it
};

// The one-line text of a refused check, as the batch command and Python report it:
// "Maximum Epochs: Maximum number of ..." or "the settings cannot be used: Overflow".
std::string RefusalText(const CheckResult& check);

// The settings a network's last run was set up with, as entries with numbers written in
// their shortest round-trip form (what Continue Training after opening it uses).
struct NetworkSettings {
    std::string Rule;
    ParameterEntries Entries;
    PatternOrder Order;
};
NetworkSettings SettingsOf(const PublicStuff& state, const RunMemory& run);

class TrainingSession {
  public:
    explicit TrainingSession(PublicStuff& state);
    ~TrainingSession();
    TrainingSession(const TrainingSession&) = delete;
    TrainingSession& operator=(const TrainingSession&) = delete;

    PublicStuff& State() { return state_; }
    const PublicStuff& State() const { return state_; }

    // Reads a training file as a new network to train: Hebb rule, NewRun 1, no epochs, no
    // run to continue. The weights are not allocated yet (FreshNetwork). A failure leaves
    // the state as it was.
    std::optional<TrainingFileError> OpenTrainingFile(const std::string& path);
    // The same for a pattern store given as arrays under `name` (no file to save with).
    std::optional<TrainingFileError> TakePatterns(const std::string& name, PatternArrays arrays);
    // Reallocates the network for the current counts, every weight 0 ("Reset Weights And
    // Train Again" too: the epoch count and history stay). Out of memory is returned.
    RunTimeError FreshNetwork();

    // Start Training's first steps, before any entry is read: NewRun 1 and every weight 0
    // (the network made again when its sizes are not the counts'). Out of memory returned.
    RunTimeError ClearForStart();

    // Start Training: NewRun 1, weights cleared, settings checked and copied, a new run.
    SessionResult Start(const RunSettings& settings, TrainingDisplay& display);
    // Continue Training: NewRun 0, settings checked and copied, the run carried on.
    SessionResult Continue(const RunSettings& settings, TrainingDisplay& display);

    // The same in two steps, for a page that reacts to the check before training: Prepare
    // clears and checks (Outcome kRefused on a refusal, nothing trained); Train runs the
    // prepared run whole.
    SessionResult PrepareStart(const RunSettings& settings);
    SessionResult PrepareContinue(const RunSettings& settings);
    SessionResult Train(TrainingDisplay& display);

    // Or in slices: BeginRun after a successful Prepare, then Advance until it returns
    // true; Finished gives the result. The run owns the state until it has ended.
    void BeginRun(TrainingDisplay& display);
    bool Advance(std::int64_t epochs);
    SessionResult Finished();
    bool Running() const { return run_ != nullptr; }

    // The progress bar's maximum of the prepared run: its epochs entry, in single
    // precision, when the epoch test is on; else 0.
    double ProgressMaximum() const { return progressMaximum_; }

    // True when the weights are what a finished run (or an opened network) left, so the
    // network may be continued and saved; false before any run, once Start Training has
    // cleared the weights, and after a failed run. ("Reset Weights And Train Again" keeps
    // it: Continue Training is still offered then.)
    bool HasTrainedNetwork() const { return trained_; }
    // What the last finished run was asked for and showed, saved with the network.
    const RunMemory& LastRun() const { return lastRun_; }

    // Saves the network to `path` through the result writer; the message on failure.
    // `stop` may end the reading of the training file (Ctrl-C).
    std::optional<std::string> Save(const std::string& path,
                                    const output::WriteOptions& options = {},
                                    const StopCheck& stop = {}) const;
    // Opens the network saved at `statePath`, trained on `trainingPath` (empty: the file the
    // state names, beside it). Only a network accepted whole replaces this one, as after a
    // finished run that Continue Training carries on (its Network is then taken); a refusal
    // changes nothing. `stop` may end the reading of either file (Ctrl-C).
    LoadedNetwork Open(const std::string& statePath, const std::string& trainingPath,
                       const StopCheck& stop = {});

  private:
    SessionResult Prepare(const RunSettings& settings, bool continuing);
    void AfterNewPatterns(const std::string& name, const std::string& path);

    PublicStuff& state_;
    std::unique_ptr<TrainingRun> run_;
    RunMemory lastRun_;
    RunMemory pendingRun_;  // the prepared run's record, kept once it has ended
    double progressMaximum_ = 0.0;
    bool prepared_ = false;
    bool trained_ = false;
};

}  // namespace mnemex
