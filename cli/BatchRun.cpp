#include "cli/BatchRun.h"

#include <cerrno>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/BatchReport.h"
#include "cli/ExperimentResults.h"
#include "cli/JsonResult.h"
#include "cli/RunChecks.h"
#include "core/TrainingSession.h"
#include "core/output/OutputTarget.h"
#include "reports/workbook/SummaryFile.h"

namespace mnemex::batch {

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

// One Start or Continue as the options ask for it, reporting a refusal or a training error
// on standard error; the exit status when it did not end the run normally.
std::optional<int> Report(const SessionResult& r, std::ostream& err) {
    if (r.Outcome == RunOutcome::kRefused) {
        err << "mnemex-batch: " << RefusalText(r.Check) << '\n';
        return kExitUsage;
    }
    if (r.Outcome == RunOutcome::kFailed) {
        err << "mnemex-batch: " << OneLine(TrainingErrorMessage(r.Error)) << '\n';
        return kExitTrainingError;
    }
    return std::nullopt;
}

RunSettings SettingsFor(const ParameterEntries& entries) {
    RunSettings settings;
    settings.Entries = entries;
    return settings;
}

// The settings of a resumed run: the saved ones, except where an option was given.
RunSettings ResumedSettings(const BatchOptions& options, const TrainingSession& session) {
    const NetworkSettings saved = SettingsOf(session.State(), session.LastRun());
    RunSettings settings = SettingsFor(options.Entries);
    ParameterEntries& entries = settings.Entries;
    const auto given = [&](const char* name) { return options.Given.count(name) > 0; };
    if (given("--rule"))
        settings.Rule = options.Rule;
    if (!given("--rate"))
        entries.LearningRate = saved.Entries.LearningRate;
    if (!given("--epochs"))
        entries.Epochs = saved.Entries.Epochs;
    if (!given("--min-error"))
        entries.MinError = saved.Entries.MinError;
    if (!given("--print-interval"))
        entries.PrintEpochs = saved.Entries.PrintEpochs;
    if (!given("--stop")) {
        entries.EpochTest = saved.Entries.EpochTest;
        entries.ErrorTest = saved.Entries.ErrorTest;
    }
    PatternOrder order = saved.Order;
    if (given("--order"))
        order.Permuted = options.Experiments.Permuted();
    if (given("--seed"))
        order.Seed = options.Experiments.Seed;
    settings.Order = order;
    return settings;
}

int ResultsOnStandardOutput(const BatchOptions& options, int fd) {
    int count = 0;
    for (const NamedResult& result : RequestedResults(options))
        if (output::IsStandardOutput(*result.Path, fd))
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

// Writes every result asked for, one failing or not; false (after one message line per
// failure) when any could not be written.
bool WriteResults(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
                  const std::string& moreJsonMembers) {
    std::ostream& err = streams.Err;
    streams.Out.flush();  // display lines first, whatever shares their file
    const output::WriteOptions writeOptions = ResultWriteOptions(streams);
    bool written = true;
    if (options.JsonPath) {
        if (const auto failed =
                WriteJsonResult(state, *options.JsonPath, writeOptions, moreJsonMembers)) {
            err << "mnemex-batch: the JSON result could not be written to "
                << Quoted(*options.JsonPath) << ": " << failed->Reason() << '\n';
            written = false;
        }
    }
    if (options.ReportPath &&
        !WriteBatchReport(state, *options.ReportPath, options.ReportSections, writeOptions, err))
        written = false;
    if (options.XlsxPath) {
        const std::string failed = WriteSummaryWorkbookFile(state, *options.XlsxPath, writeOptions);
        if (!failed.empty()) {
            err << "mnemex-batch: " << OneLine(failed) << '\n';
            written = false;
        }
    }
    return WriteWeightExports(options.Experiments, state, writeOptions, err) && written;
}

// Checks the option values before the first run; false after the message when one is
// refused. Options without effect get a warning line each.
bool ValuesUsable(const BatchOptions& options, const RunSettings& first, bool fresh,
                  std::int32_t epochsSoFar, std::ostream& err) {
    const ValueCheck check = CheckValues(options, first, fresh, epochsSoFar);
    if (check.Refusal) {
        err << "mnemex-batch: " << *check.Refusal << '\n';
        return false;
    }
    for (const std::string& warning : check.Warnings)
        err << "mnemex-batch: warning: " << warning << '\n';
    return true;
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
    if (const auto clash = ResultClash(options)) {
        err << "mnemex-batch: " << *clash << '\n';
        return kExitUsage;
    }
    if (options.XlsxPath && !SummaryWorkbookAvailable()) {
        err << "mnemex-batch: --xlsx: " << kNoWorkbookReason
            << "; --weights-csv writes the weights\n";
        return kExitUsage;
    }
    // A training file read once, from a pipe or a device, cannot be read again to hash it:
    // refused before anything is trained in vain.
    if (options.SaveStatePath) {
        if (const auto refused =
                SaveRefusedBeforeTraining(options.TrainingFile, *options.SaveStatePath)) {
            err << "mnemex-batch: " << Printable(*refused) << '\n';
            return kExitUsage;
        }
    }
    ConsoleDisplay display(out, options.Progress, stop, epochsPerRun);
    TrainingSession session(state);
    RunSettings base;  // what later --continue runs change the epochs of
    SessionResult first;
    if (options.LoadStatePath) {
        const LoadedNetwork loaded = session.Open(*options.LoadStatePath, options.TrainingFile);
        if (!loaded.Network) {
            err << "mnemex-batch: " << Printable(loaded.Message) << '\n';
            return kExitUsage;
        }
        base = ResumedSettings(options, session);
        if (!ValuesUsable(options, base, false, state.EpochCount, err))
            return kExitUsage;
        first = session.Continue(base, display);
    } else {
        base = SettingsFor(options.Entries);
        base.Rule = options.Rule;
        base.Order = PatternOrder{options.Experiments.Permuted(), options.Experiments.Seed};
        if (auto e = session.OpenTrainingFile(options.TrainingFile)) {
            err << "mnemex-batch: " << OneLine(e->Message) << '\n';
            return kExitUsage;
        }
        const RunTimeError alloc = session.FreshNetwork();
        if (alloc.Number != 0) {
            err << "mnemex-batch: " << OneLine(TrainingErrorMessage(alloc)) << '\n';
            return kExitTrainingError;
        }
        if (!ValuesUsable(options, base, true, 0, err))
            return kExitUsage;
        first = session.Start(base, display);
    }
    if (const auto status = Report(first, err))
        return *status;
    for (const std::string& epochs : options.Continues) {
        if (stop.load())
            break;
        RunSettings more = base;
        more.Entries.Epochs = epochs;
        if (const auto status = Report(session.Continue(more, display), err))
            return *status;
    }
    // A state that cannot be saved is one failed result: the others are still written.
    bool saved = true;
    if (options.SaveStatePath) {
        if (const auto failed = session.Save(*options.SaveStatePath, ResultWriteOptions(streams))) {
            err << "mnemex-batch: " << Printable(*failed) << '\n';
            saved = false;
        }
    }
    ExperimentFigures figures;
    const RunTimeError failed = ComputeExperiments(options.Experiments, state, figures);
    if (failed.Number != 0) {
        err << "mnemex-batch: " << OneLine(TrainingErrorMessage(failed)) << '\n';
        return kExitTrainingError;
    }
    if (!options.JsonPath)
        PrintExperiments(options.Experiments, figures, out);
    // The order the network was trained in, whether given now or saved with a resumed run.
    ExperimentOptions shown = options.Experiments;
    shown.Order = state.Order.Permuted ? std::optional<std::string>("permuted") : std::nullopt;
    shown.Seed = state.Order.Seed;
    const bool written =
        WriteResults(options, state, streams, ExperimentJsonMembers(shown, figures));
    return written && saved ? kExitOk : kExitTrainingError;
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
        streams.Err << "mnemex-batch: " << OneLine(e.what()) << '\n';
    }
    return kExitTrainingError;
}

}  // namespace mnemex::batch
