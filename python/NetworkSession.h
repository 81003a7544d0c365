#pragma once
// One network as the Python module sees it: a pattern store, its memory and the last
// run, driven the way the setup page and the batch command drive the core. No Python here:
// failures are thrown as the exception types below, which the module turns into Python's.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ParameterCheck.h"
#include "core/PatternArrays.h"
#include "core/PublicStuff.h"
#include "core/TrainingRun.h"

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

// The settings of one training call, as the setup page's controls would hold them; the
// defaults are the page's initial settings.
struct TrainingSettings {
    std::string Rule = "Hebb";  // "Hebb" or "Delta"
    double Rate = 0.1;
    std::int64_t Epochs = 100;
    double MinError = 0.05;
    std::string Stop = "epochs";  // "epochs", "error" or "both"
    std::int64_t PrintInterval = 10;
};

// The rule for a name given by the user ("hebb", "Delta", ...), or an ArgumentError.
std::string RuleFromName(const std::string& name);
// The stop name checked ("epochs", "error" or "both"), or an ArgumentError.
std::string StopFromName(const std::string& name);

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
    bool ContinueOffered() const { return continueOffered_; }

    // "Reset Weights And Train Again": all weights 0; the epoch count and history stay,
    // so Continue counts on from the old epoch count.
    void Reset();

    // Output activities for pattern p (1..NumPatterns), as the probe page shows them.
    std::vector<double> Recall(long long p);
    // Output activities for any input vector of NumInputs finite values.
    std::vector<double> RecallVector(const std::vector<double>& inputs) const;

    // The text report for a comma-separated section list ("" for the page's ticked boxes),
    // dated now in the current LC_TIME forms.
    std::string Report(const std::string& sections);
    // The spreadsheet summary workbook, written as the batch command's --xlsx writes it.
    void WriteWorkbook(const std::string& path);

    const PublicStuff& State() const { return state_; }
    RunSummary Summary(const std::optional<double>& change, bool interrupted) const;

  private:
    RunSummary Run(const TrainingSettings& settings, TrainingDisplay& display, bool continuing);
    void AfterLoad(const std::string& name);

    PublicStuff state_;
    TrainingSettings last_;
    bool continueOffered_ = false;
};

}  // namespace mnemex::python
