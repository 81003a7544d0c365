#pragma once
// One network as the Python module sees it: a pattern store, its memory and the last
// run, driven the way the setup page and the batch command drive the core. No Python here:
// failures are thrown as the exception types below, which the module turns into Python's.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/DistortedProbe.h"
#include "core/LeastSquares.h"
#include "core/ParameterCheck.h"
#include "core/PatternArrays.h"
#include "core/PublicStuff.h"
#include "core/TestAllMeasures.h"
#include "core/TrainingSession.h"

namespace mnemex::python {

// A bad argument (Python: ValueError).
class ArgumentError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};
// A pattern store that cannot be loaded (Python: TrainingFileError, a ValueError).
class PatternError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};
// An operation the network does not offer in its present state (Python: RuntimeError).
class StateError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};
// A training run ended by a run-time error; what() is the run's message (Python:
// TrainingError).
class TrainingFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
// A response or sum that overflowed outside training (Python: OverflowError).
class ArithmeticFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
// The spreadsheet summary could not be written (Python: WorkbookError, an OSError).
class WorkbookFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
// A weight export could not be written (Python: OSError, of the subclass its errno gives).
// what() says which file and why; Error is the errno value.
class ExportFailure : public std::runtime_error {
  public:
    ExportFailure(const std::string& what, int error, std::string path)
        : std::runtime_error(what), Error(error), Path(std::move(path)) {}
    int Error;
    std::string Path;
};

// A saved network that cannot be opened; what() names the file and the reason (Python:
// SavedNetworkError, a ValueError).
class SavedNetworkRefusal : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};
// A network that could not be saved; what() names the file and the reason (Python: OSError).
class SaveFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The settings of one training call, as the setup page's controls would hold them; the
// defaults are the page's initial settings.
struct TrainingSettings {
    std::string Rule = "Hebb";  // "Hebb" or "Delta"
    double Rate = 0.1;
    std::int64_t Epochs = 100;
    double MinError = 0.05;
    std::string Stop = "epochs";  // "epochs", "error" or "both"
    std::int64_t PrintInterval = 10;
    std::string Order = "file";  // "file" or "permuted"
    // Of the permuted order: 0 to 2^63-1 when typed (CheckedSeed), any 64-bit value when
    // loaded with a saved network.
    std::uint64_t Seed = 1;
};

// The rule for a name given by the user ("hebb", "Delta", ...), or an ArgumentError.
std::string RuleFromName(const std::string& name);
// The stop name checked ("epochs", "error" or "both"), or an ArgumentError.
std::string StopFromName(const std::string& name);
// The pattern order name checked ("file" or "permuted"), or an ArgumentError.
std::string OrderFromName(const std::string& name);
// The seed checked: 0 to 2^63-1, as the batch command's --seed takes it (ArgumentError).
std::uint64_t CheckedSeed(std::int64_t seed);

// The setup page's entries for the settings, each number written so that it reads back
// as the same double.
ParameterEntries EntriesFor(const TrainingSettings& settings);

// What a finished (or interrupted) run leaves.
struct RunSummary {
    std::int32_t Epochs = 0;
    double TotalSSE = 0.0;
    std::optional<double> Change;                // none when the run ended at epoch 1
    std::vector<std::array<double, 2>> History;  // epoch, total SSE: the rows so far
    bool Interrupted = false;
};

class NetworkSession {
  public:
    NetworkSession();
    NetworkSession(const NetworkSession&) = delete;
    NetworkSession& operator=(const NetworkSession&) = delete;

    // Loads a training file; on failure the store loaded before stays (PatternError).
    void Load(const std::string& path);
    // Takes a pattern store given as arrays, checked as a file is (PatternError).
    void SetPatterns(const std::string& name, PatternArrays arrays);

    // Start Training: weights 0, settings checked, a new run. Refused settings change
    // nothing (ArgumentError); a run-time error throws TrainingFailure, leaving the
    // network as far as the run got. `display` is asked after each epoch whether to stop.
    RunSummary Train(const TrainingSettings& settings, TrainingDisplay& display);
    // Continue Training with the given settings (StateError before any run has ended).
    RunSummary Continue(const TrainingSettings& settings, TrainingDisplay& display);
    // The settings of the last run started, or the initial settings before any.
    const TrainingSettings& LastSettings() const { return last_; }
    bool ContinueOffered() const { return session_.HasTrainedNetwork(); }

    // Saves the whole training state as the batch command's --save-state does (StateError
    // before a run has ended, SavedNetworkRefusal when the training file is a pipe, device or
    // socket, SaveFailure when it cannot be written). `stop` may end the hashing (Ctrl-C).
    void SaveState(const std::string& path, const StopCheck& stop = {}) const;
    // Takes the network saved at `statePath`, trained on `trainingPath` (empty: the file
    // the state names, beside the state file), in place of this one, ready to continue
    // with the saved settings. A refusal changes nothing (SavedNetworkRefusal; when the
    // state's own training file cannot be used, its message asks for training_file=).
    // `stop` may end the reading (Ctrl-C).
    void LoadState(const std::string& statePath, const std::string& trainingPath,
                   const StopCheck& stop = {});

    // "Reset Weights And Train Again": all weights 0; the epoch count and history stay,
    // so Continue counts on from the old epoch count.
    void Reset();

    // Output activities for pattern p (1..NumPatterns), as the probe page shows them.
    std::vector<double> Recall(long long p);
    // Output activities for any input vector of NumInputs finite values.
    std::vector<double> RecallVector(const std::vector<double>& inputs) const;

    // The four recall measures of every pattern with the current weights, in pattern order.
    std::vector<PatternMeasures> TestAll() const;
    // The best fixed weights (least squares) and their total SSE, or the note why not.
    LeastSquaresResult LeastSquares() const;
    // The total SSE of the current weights held fixed, every pattern recalled by them.
    double FixedWeightSSE() const;

    // Pattern p's inputs distorted as asked, the responses to them and their measures
    // against pattern p's target.
    struct DistortedProbe {
        DistortedInputs Distorted;
        std::vector<double> Outputs;
        PatternMeasures Measures;
    };
    DistortedProbe ProbeDistorted(long long p, double noiseDeviation, double zeroFraction,
                                  std::int64_t seed) const;

    // The weights as CSV or .npy bytes, written whole through the result writer, as the
    // batch command's --weights-csv and --weights-npy write them (ExportFailure).
    void WriteWeightsCsv(const std::string& path) const;
    void WriteWeightsNpy(const std::string& path) const;

    // The text report for a comma-separated section list ("" for the page's ticked boxes),
    // dated now in the current LC_TIME forms.
    std::string Report(const std::string& sections);
    // The spreadsheet summary workbook, written as the batch command's --xlsx writes it.
    void WriteWorkbook(const std::string& path);

    const PublicStuff& State() const { return state_; }
    RunSummary Summary(const std::optional<double>& change, bool interrupted) const;

  private:
    RunSummary Run(const TrainingSettings& settings, TrainingDisplay& display, bool continuing);
    int CheckedPattern(long long p, const char* what) const;

    PublicStuff state_;
    TrainingSession session_;
    TrainingSettings last_;
};

}  // namespace mnemex::python
