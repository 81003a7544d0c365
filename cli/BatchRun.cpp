#include "cli/BatchRun.h"

#include <filesystem>

#include "cli/BatchReport.h"
#include "cli/JsonResult.h"
#include "core/ParameterCheck.h"
#include "core/Recall.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
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
    ConsoleDisplay(std::ostream& out, bool progress, const std::atomic<bool>& stop)
        : out_(out), progress_(progress), stop_(stop) {}
    void ShowPanels() override {}
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
    bool StopRequested() override { return stop_.load(std::memory_order_relaxed); }

  private:
    std::ostream& out_;
    bool progress_;
    const std::atomic<bool>& stop_;
};

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
bool Train(PublicStuff& state, const ParameterEntries& entries, ConsoleDisplay& display,
           std::ostream& err, bool& refused) {
    refused = !Check(state, entries, err);
    if (refused)
        return false;
    const double requested = static_cast<float>(ReadPlainNumber(entries.Epochs));
    const RunResult r = TrainNetwork(state, display, requested);
    if (r.Outcome == RunOutcome::kFailed) {
        err << ConsoleText(TrainingErrorMessage(r.Error)) << '\n';
        return false;
    }
    return true;
}

}  // namespace

int RunBatch(const BatchOptions& options, PublicStuff& state, const BatchStreams& streams,
             const std::atomic<bool>& stop) {
    std::ostream& out = streams.Out;
    std::ostream& err = streams.Err;
    if (auto e = ReadTrainingFile(state, options.TrainingFile)) {
        err << "mnemex-batch: " << e->Message << '\n';
        return kExitUsage;
    }
    state.TrainingFileName = std::filesystem::path(options.TrainingFile).filename().string();
    state.LearningRule = options.Rule;
    state.NewRun = 1;
    const RunTimeError alloc = TrapErrors([&] { state.ReallocateNetwork(); });
    if (alloc.Number != 0) {
        err << ConsoleText(TrainingErrorMessage(alloc)) << '\n';
        return kExitTrainingError;
    }

    ConsoleDisplay display(out, options.Progress, stop);
    bool refused = false;
    ResetWeights(state);
    if (!Train(state, options.Entries, display, err, refused)) {
        return refused ? kExitUsage : kExitTrainingError;
    }
    for (const std::string& epochs : options.Continues) {
        if (stop.load())
            break;
        state.NewRun = 0;
        ParameterEntries entries = options.Entries;
        entries.Epochs = epochs;
        if (!Train(state, entries, display, err, refused)) {
            return refused ? kExitUsage : kExitTrainingError;
        }
    }
    if (options.JsonPath) {
        std::string problem;
        if (!WriteJsonResult(state, *options.JsonPath, streams.Json, problem)) {
            err << "mnemex-batch: " << problem << '\n';
            return kExitTrainingError;
        }
    }
    if (options.ReportPath &&
        !WriteBatchReport(state, *options.ReportPath, options.ReportSections, err))
        return kExitTrainingError;
    if (options.XlsxPath) {
        const std::string failed = WriteSummaryWorkbookFile(state, *options.XlsxPath);
        if (!failed.empty()) {
            err << ConsoleText(failed) << '\n';
            return kExitTrainingError;
        }
    }
    return kExitOk;
}

}  // namespace mnemex::batch
