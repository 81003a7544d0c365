#include "cli/BatchRun.h"

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/BatchReport.h"
#include "cli/ExperimentResults.h"
#include "cli/JsonResult.h"
#include "core/ParameterCheck.h"
#include "core/Recall.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "core/json/JsonText.h"
#include "core/output/OutputTarget.h"
#include "core/saved_network/SavedNetwork.h"
#include "reports/workbook/SummaryFile.h"

namespace mnemex::batch {

std::string ConsoleText(const std::string& message) {
    std::string text = message;
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

namespace {

// Prints the display lines the setup page would show.
class ConsoleDisplay : public TrainingDisplay {
  public:
    ConsoleDisplay(std::ostream& out, bool progress, const std::atomic<bool>& stop,
                   std::int32_t epochsPerRun)
        : out_(out), progress_(progress), stop_(stop), epochsPerRun_(epochsPerRun) {}
    void ShowPanels() override { epochsThisRun_ = 0; }  // every run starts here
    void StartProgress(double) override {}
    void ShowTrainingLine(const std::string& text) override { out_ << text << '\n'; }
    void StepProgress() override {}
    void Printout(const std::string& epochs, const std::string& total, const std::string& change,
                  PanelColour) override {
        if (!progress_)
            return;
        out_ << epochs << "  " << total;
        if (!change.empty())
            out_ << "  " << change;
        out_ << '\n';
    }
    void FinalDisplay(const std::string& epochs, const std::string& total, PanelColour,
                      const std::string& change) override {
        out_ << epochs << '\n' << total << '\n';
        if (!change.empty())
            out_ << change << '\n';
    }
    void ReEnable() override {}
    bool StopRequested() override {
        if (epochsPerRun_ > 0 && ++epochsThisRun_ >= epochsPerRun_)
            return true;
        return stop_.load(std::memory_order_relaxed);
    }

  private:
    std::ostream& out_;
    bool progress_;
    const std::atomic<bool>& stop_;
    std::int32_t epochsPerRun_;
    std::int32_t epochsThisRun_ = 0;
};

// The progress bar's maximum as the setup page takes it: the epochs box, read only when
// the epoch test is on (the settings check has then read it already).
double ProgressMaximum(const ParameterEntries& entries) {
    if (!entries.EpochTest)
        return 0.0;
    try {
        const double epochs = ReadPlainNumber(entries.Epochs);
        if (!(std::fabs(epochs) <= std::numeric_limits<float>::max()))
            return 0.0;
        return static_cast<float>(epochs);  // single precision, as the page reads it
    } catch (const RunTimeException&) {
        return 0.0;
    }
}

// Checks the settings as the setup page does; prints the page's message when refused.
bool Check(PublicStuff& state, const ParameterEntries& entries, std::ostream& err) {
    const CheckResult check = CheckParameters(state, entries, ReadPlainNumber);
    if (check.Verdict == CheckVerdict::kAccepted)
        return true;
    if (check.Verdict == CheckVerdict::kError) {
        err << "mnemex-batch: the settings cannot be used: " << check.Error.Description << '\n';
    } else {
        const ValidationWarning w = WarningFor(check.Verdict);
        err << "mnemex-batch: " << w.Title << ": " << w.Message << '\n';
    }
    return false;
}

// One run, as Start Training (new) or Continue Training. Returns false on an error.
// `run` remembers what the last run was asked for and what it showed, for a saved state.
bool Train(PublicStuff& state, const ParameterEntries& entries, ConsoleDisplay& display,
           std::ostream& err, bool& refused, RunMemory& run) {
    refused = !Check(state, entries, err);
    if (refused)
        return false;
    const RunResult r = TrainNetwork(state, display, ProgressMaximum(entries));
    if (r.Outcome == RunOutcome::kFailed) {
        err << ConsoleText(TrainingErrorMessage(r.Error)) << '\n';
        return false;
    }
    run.LastChange = r.Change;
    run.RunEpochs = 0;
    try {
        run.RunEpochs = RoundToLong(ReadPlainNumber(entries.Epochs));
    } catch (const RunTimeException&) {
        // only the error test was on and the epochs box is not a number: nothing to keep
    }
    return true;
}

std::string NumberText(double value) {
    std::string text;
    json::AppendNumber(text, value);
    return text;
}

// The settings of a resumed run: the saved ones, except where an option was given.
ParameterEntries ResumedEntries(const BatchOptions& options, PublicStuff& state,
                                const RunMemory& run) {
    ParameterEntries entries = options.Entries;
    const auto given = [&](const char* name) { return options.Given.count(name) > 0; };
    if (given("--rule"))
        state.LearningRule = options.Rule;
    if (!given("--rate"))
        entries.LearningRate = NumberText(state.LearningRate);
    if (!given("--epochs"))
        entries.Epochs = std::to_string(run.RunEpochs);
    if (!given("--min-error"))
        entries.MinError = NumberText(state.MinError);
    if (!given("--print-interval"))
        entries.PrintEpochs = std::to_string(state.PrintInterval);
    if (!given("--stop")) {
        entries.EpochTest = state.StopAtMaxEpochs == 1;
        entries.ErrorTest = state.StopAtMinError == 1;
    }
    if (given("--order"))
        state.Order.Permuted = options.Experiments.Permuted();
    if (given("--seed"))
        state.Order.Seed = options.Experiments.Seed;
    return entries;
}

// The results the options ask for, by option name.
std::vector<std::pair<const char*, const std::optional<std::string>*>> ResultPaths(
    const BatchOptions& options) {
    return {{"--json", &options.JsonPath},
            {"--report", &options.ReportPath},
            {"--xlsx", &options.XlsxPath},
            {"--weights-csv", &options.Experiments.WeightsCsv},
            {"--weights-npy", &options.Experiments.WeightsNpy},
            {"--save-state", &options.SaveStatePath}};
}

int ResultsOnStandardOutput(const BatchOptions& options, int fd) {
    int count = 0;
    for (const auto& [name, path] : ResultPaths(options))
        if (*path && output::IsStandardOutput(**path, fd))
            ++count;
    return count;
}

// How results are written: devices, pipes and the standard output included.
output::WriteOptions ResultWriteOptions(const BatchStreams& streams) {
    output::WriteOptions options;
    options.StandardOutputFd = streams.StandardOutputFd;
    if (streams.StandardOutputFd < 0) {
        std::ostream& json = streams.Json;
        options.WriteStandardOutput = [&json](std::string_view bytes) {
            json.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            json.flush();
            return json ? 0 : EIO;
        };
    }
    return options;
}

// Writes the results asked for; false (after the message) when one could not be written.
bool WriteResults(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
                  const std::string& moreJsonMembers) {
    std::ostream& err = streams.Err;
    streams.Out.flush();  // display lines first, whatever shares their file
    const output::WriteOptions writeOptions = ResultWriteOptions(streams);
    if (options.JsonPath) {
        if (const auto failed =
                WriteJsonResult(state, *options.JsonPath, writeOptions, moreJsonMembers)) {
            err << "mnemex-batch: the JSON result could not be written to "
                << Quoted(*options.JsonPath) << ": " << failed->Reason() << '\n';
            return false;
        }
    }
    if (options.ReportPath &&
        !WriteBatchReport(state, *options.ReportPath, options.ReportSections, writeOptions, err))
        return false;
    if (options.XlsxPath) {
        const std::string failed = WriteSummaryWorkbookFile(state, *options.XlsxPath, writeOptions);
        if (!failed.empty()) {
            err << ConsoleText(failed) << '\n';
            return false;
        }
    }
    return WriteWeightExports(options.Experiments, state, writeOptions, err);
}

int RunUnguarded(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
                 const std::atomic<bool>& stop, std::int32_t epochsPerRun) {
    std::ostream& out = streams.Out;
    std::ostream& err = streams.Err;
    if (ResultsOnStandardOutput(options, streams.StandardOutputFd) > 1) {
        err << "mnemex-batch: only one of --json, --report, --xlsx, --weights-csv, "
               "--weights-npy and --save-state may go to the standard output\n";
        return kExitUsage;
    }
    ConsoleDisplay display(out, options.Progress, stop, epochsPerRun);
    bool refused = false;
    RunMemory run;
    ParameterEntries base = options.Entries;  // what later --continue runs change the epochs of
    if (options.LoadStatePath) {
        LoadedNetwork loaded = LoadNetworkState(*options.LoadStatePath, options.TrainingFile);
        if (!loaded.Network) {
            err << "mnemex-batch: " << Printable(loaded.Message) << '\n';
            return kExitUsage;
        }
        run = loaded.Network->Run;
        AdoptSavedNetwork(state, std::move(*loaded.Network));
        base = ResumedEntries(options, state, run);
        if (!Train(state, base, display, err, refused, run))
            return refused ? kExitUsage : kExitTrainingError;
    } else {
        if (auto e = ReadTrainingFile(state, options.TrainingFile)) {
            err << "mnemex-batch: " << e->Message << '\n';
            return kExitUsage;
        }
        state.TrainingFileName = std::filesystem::path(options.TrainingFile).filename().string();
        state.TrainingFilePath = options.TrainingFile;
        state.LearningRule = options.Rule;
        state.NewRun = 1;
        state.Order.Permuted = options.Experiments.Permuted();
        state.Order.Seed = options.Experiments.Seed;
        const RunTimeError alloc = TrapErrors([&] { state.ReallocateNetwork(); });
        if (alloc.Number != 0) {
            err << ConsoleText(TrainingErrorMessage(alloc)) << '\n';
            return kExitTrainingError;
        }
        ResetWeights(state);
        if (!Train(state, options.Entries, display, err, refused, run))
            return refused ? kExitUsage : kExitTrainingError;
    }
    for (const std::string& epochs : options.Continues) {
        if (stop.load())
            break;
        state.NewRun = 0;
        ParameterEntries entries = base;
        entries.Epochs = epochs;
        if (!Train(state, entries, display, err, refused, run)) {
            return refused ? kExitUsage : kExitTrainingError;
        }
    }
    if (options.SaveStatePath) {
        if (const auto failed =
                SaveNetworkState(state, run, *options.SaveStatePath, ResultWriteOptions(streams))) {
            err << "mnemex-batch: " << Printable(*failed) << '\n';
            return kExitTrainingError;
        }
    }
    ExperimentFigures figures;
    const RunTimeError failed = ComputeExperiments(options.Experiments, state, figures);
    if (failed.Number != 0) {
        err << ConsoleText(TrainingErrorMessage(failed)) << '\n';
        return kExitTrainingError;
    }
    if (!options.JsonPath)
        PrintExperiments(options.Experiments, figures, out);
    // A resumed run in a random order reports it as the run that saved it did.
    ExperimentOptions shown = options.Experiments;
    if (options.LoadStatePath) {
        if (!shown.Order && state.Order.Permuted)
            shown.Order = "permuted";
        shown.Seed = state.Order.Seed;
    }
    return WriteResults(options, state, streams, ExperimentJsonMembers(shown, figures))
               ? kExitOk
               : kExitTrainingError;
}

}  // namespace

bool ResultGoesToStandardOutput(const BatchOptions& options, int fd) {
    return ResultsOnStandardOutput(options, fd) > 0;
}

int RunBatch(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
             const std::atomic<bool>& stop, std::int32_t epochsPerRun) {
    // Whatever slips past the checks ends in a message and a status, never in a crash.
    try {
        return RunUnguarded(options, state, streams, stop, epochsPerRun);
    } catch (const std::bad_alloc&) {
        streams.Err << "mnemex-batch: out of memory\n";
    } catch (const std::exception& e) {
        streams.Err << "mnemex-batch: " << e.what() << '\n';
    }
    return kExitTrainingError;
}

}  // namespace mnemex::batch
