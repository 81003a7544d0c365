#include "python/NetworkSession.h"

#include <cmath>
#include <new>

#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "core/TrainingFile.h"
#include "core/WeightExport.h"
#include "core/output/ResultFile.h"
#include "core/output/SameFile.h"
#include "reports/text/AnalysisClock.h"
#include "reports/text/ReportSections.h"
#include "reports/text/ReportText.h"
#include "reports/workbook/SummaryFile.h"

namespace mnemex::python {

namespace {

constexpr std::int64_t kLargestCount = INT32_MAX;
constexpr std::int64_t kLargestSeed = INT64_MAX;

void RequireFinite(double value, const char* name) {
    if (std::isnan(value))
        throw ArgumentError(std::string(name) + " must be a number, not nan");
    if (!std::isfinite(value))
        throw ArgumentError(std::string(name) + " must be a finite number, not " +
                            (value > 0 ? "inf" : "-inf"));
}

void RequireCount(std::int64_t value, const char* name, std::int64_t lowest) {
    if (value < lowest || value > kLargestCount)
        throw ArgumentError(std::string(name) + " must lie between " + std::to_string(lowest) +
                            " and " + std::to_string(kLargestCount) + ", not " +
                            std::to_string(value));
}

// Python's standard output is sys.stdout, never descriptor 1: every name, "-" included, is
// a file name.
output::WriteOptions NamesOnly() {
    output::WriteOptions options;
    options.NamesOnly = true;
    return options;
}

// Refuses a result named as the training file the network was loaded from: it would be
// lost with the result written over it.
void RefuseTrainingFile(const std::string& path, const PublicStuff& state, const char* what) {
    if (!state.TrainingFilePath.empty() &&
        output::SameFile(path, state.TrainingFilePath, output::OtherName::kInput, true))
        throw ArgumentError(std::string("the ") + what + " would replace the training file \"" +
                            state.TrainingFilePath + "\": give it another name");
}

// Runs fn and rethrows a run-time error of the core as an ArithmeticFailure saying `what`.
template <typename Fn>
auto Computing(const std::string& what, Fn&& fn) {
    try {
        return fn();
    } catch (const RunTimeException& e) {
        throw ArithmeticFailure(what + ": " + e.Error().Description);
    }
}

}  // namespace

std::string RuleFromName(const std::string& name) {
    if (name == "hebb" || name == "Hebb" || name == "HEBB")
        return "Hebb";
    if (name == "delta" || name == "Delta" || name == "DELTA")
        return "Delta";
    throw ArgumentError("rule must be \"hebb\" or \"delta\", not \"" + name + "\"");
}

std::string StopFromName(const std::string& name) {
    if (name == "epochs" || name == "error" || name == "both")
        return name;
    throw ArgumentError("stop must be \"epochs\", \"error\" or \"both\", not \"" + name + "\"");
}

std::string OrderFromName(const std::string& name) {
    if (name == "file" || name == "permuted")
        return name;
    throw ArgumentError("order must be \"file\" or \"permuted\", not \"" + name + "\"");
}

std::uint64_t CheckedSeed(std::int64_t seed) {
    if (seed < 0)
        throw ArgumentError("seed must lie between 0 and " + std::to_string(kLargestSeed) +
                            ", not " + std::to_string(seed));
    return static_cast<std::uint64_t>(seed);
}

ParameterEntries EntriesFor(const TrainingSettings& s) {
    RequireFinite(s.Rate, "rate");
    RequireFinite(s.MinError, "min_error");
    const std::string stop = StopFromName(s.Stop);
    ParameterEntries e;
    e.EpochTest = stop != "error";
    e.ErrorTest = stop != "epochs";
    if (e.EpochTest && s.Epochs > kLargestCount)
        RequireCount(s.Epochs, "epochs", 1);
    RequireCount(s.PrintInterval, "print_interval", INT32_MIN);
    e.Epochs = std::to_string(s.Epochs);
    e.PrintEpochs = std::to_string(s.PrintInterval);
    e.LearningRate = RoundTripText(s.Rate);
    e.MinError = RoundTripText(s.MinError);
    return e;
}

NetworkSession::NetworkSession() : session_(state_) {}

void NetworkSession::Load(const std::string& path) {
    if (auto e = session_.OpenTrainingFile(path))
        throw PatternError(e->Message);
    Reset();
}

void NetworkSession::SetPatterns(const std::string& name, PatternArrays arrays) {
    if (auto e = session_.TakePatterns(name, std::move(arrays)))
        throw PatternError(e->Message);
    Reset();
}

void NetworkSession::Reset() {
    if (session_.FreshNetwork().Number == kOutOfMemory)
        throw std::bad_alloc();
}

RunSummary NetworkSession::Train(const TrainingSettings& settings, TrainingDisplay& display) {
    return Run(settings, display, false);
}

RunSummary NetworkSession::Continue(const TrainingSettings& settings, TrainingDisplay& display) {
    if (!session_.HasTrainedNetwork())
        throw StateError(
            "there is no training run to continue: train() first (a run that ended with an "
            "error cannot be continued either)");
    return Run(settings, display, true);
}

RunSummary NetworkSession::Run(const TrainingSettings& settings, TrainingDisplay& display,
                               bool continuing) {
    RunSettings run;
    run.Rule = RuleFromName(settings.Rule);
    run.Entries = EntriesFor(settings);
    // The seed only matters in permuted order; file order ignores it, as --seed is ignored.
    run.Order = PatternOrder{OrderFromName(settings.Order) == "permuted", settings.Seed};
    run.OnRefusal = RefusalLeaves::kNothingChanged;
    if (continuing && run.Entries.EpochTest && state_.EpochCount + settings.Epochs > kLargestCount)
        throw ArgumentError("epochs: " + std::to_string(settings.Epochs) +
                            " more epochs would go past epoch " + std::to_string(kLargestCount));

    const SessionResult prepared =
        continuing ? session_.PrepareContinue(run) : session_.PrepareStart(run);
    if (prepared.Outcome == RunOutcome::kRefused)
        throw ArgumentError(RefusalText(prepared.Check));
    if (prepared.Outcome == RunOutcome::kFailed)
        throw std::bad_alloc();  // only the network's reallocation fails before a run
    last_ = settings;
    last_.Rule = *run.Rule;
    const SessionResult r = session_.Train(display);
    if (r.Outcome == RunOutcome::kFailed)
        throw TrainingFailure(ConsoleText(TrainingErrorMessage(r.Error)));
    return Summary(r.Change, r.Outcome == RunOutcome::kInterrupted);
}

void NetworkSession::SaveState(const std::string& path, const StopCheck& stop) const {
    if (!session_.HasTrainedNetwork())
        throw StateError(
            "there is no trained network to save: train() first (a run that ended with an "
            "error cannot be saved either)");
    if (state_.TrainingFilePath.empty())
        throw StateError(
            "a network made from arrays cannot be saved: a saved network names the training "
            "file it was trained on, so load() one");
    // A pipe or device read once cannot be read again to hash it (nor waited for).
    if (const auto refused = SaveRefusedBeforeTraining(state_.TrainingFilePath, path))
        throw SavedNetworkRefusal(*refused);
    RefuseTrainingFile(path, state_, "saved network");
    if (const auto failure = session_.Save(path, NamesOnly(), stop))
        throw SaveFailure(*failure);
}

void NetworkSession::LoadState(const std::string& statePath, const std::string& trainingPath,
                               const StopCheck& stop) {
    const LoadedNetwork loaded = session_.Open(statePath, trainingPath, stop);
    if (loaded.NamedFileUnusable)
        throw SavedNetworkRefusal(loaded.Message +
                                  " Pass training_file= to name the training file.");
    if (!loaded.Network)
        throw SavedNetworkRefusal(loaded.Message);
    const NetworkSettings saved = SettingsOf(state_, session_.LastRun());
    TrainingSettings settings;
    settings.Rule = saved.Rule;
    settings.Rate = state_.LearningRate;
    settings.Epochs = session_.LastRun().RunEpochs;
    settings.MinError = state_.MinError;
    settings.Stop =
        saved.Entries.EpochTest ? (saved.Entries.ErrorTest ? "both" : "epochs") : "error";
    settings.PrintInterval = state_.PrintInterval;
    settings.Order = saved.Order.Permuted ? "permuted" : "file";
    settings.Seed = saved.Order.Seed;  // any saved seed, 2^63 and beyond too
    last_ = settings;
}

RunSummary NetworkSession::Summary(const std::optional<double>& change, bool interrupted) const {
    RunSummary s;
    s.Epochs = state_.EpochCount;
    s.TotalSSE = state_.TotalSSE;
    s.Change = change;
    s.Interrupted = interrupted;
    for (int r = 1; r <= state_.SSECount; ++r) {
        const auto& row = state_.SSEHistory[static_cast<std::size_t>(r)];
        s.History.push_back({row[1], row[2]});
    }
    return s;
}

int NetworkSession::CheckedPattern(long long p, const char* what) const {
    if (state_.NumPatterns == 0)
        throw ArgumentError(std::string("this network has no patterns to ") + what);
    if (p < 1 || p > state_.NumPatterns)
        throw ArgumentError("pattern must lie between 1 and " + std::to_string(state_.NumPatterns) +
                            ", not " + std::to_string(p));
    return static_cast<int>(p);
}

std::vector<double> NetworkSession::Recall(long long p) {
    const int pattern = CheckedPattern(p, "recall");
    Computing("the responses to pattern " + std::to_string(p) + " cannot be computed",
              [&] { ComputeOutputs(state_, pattern); });
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(state_.NumOutputs));
    for (int j = 1; j <= state_.NumOutputs; ++j)
        out.push_back(state_.OutputUnits(j).Activity);
    return out;
}

std::vector<double> NetworkSession::RecallVector(const std::vector<double>& inputs) const {
    if (inputs.size() != static_cast<std::size_t>(state_.NumInputs))
        throw ArgumentError("the input vector must have " + std::to_string(state_.NumInputs) +
                            " values (one per input unit), not " + std::to_string(inputs.size()));
    for (std::size_t k = 0; k < inputs.size(); ++k)
        if (!std::isfinite(inputs[k]))
            throw ArgumentError("the input vector must hold finite numbers; value " +
                                std::to_string(k + 1) + " is " + RoundTripText(inputs[k]));
    return Computing("the responses cannot be computed",
                     [&] { return mnemex::RecallVector(state_, inputs); });
}

std::vector<PatternMeasures> NetworkSession::TestAll() const {
    return Computing("the recall measures cannot be computed",
                     [&] { return MeasureAllPatterns(state_); });
}

LeastSquaresResult NetworkSession::LeastSquares() const {
    return Computing("the least-squares weights cannot be computed",
                     [&] { return SolveLeastSquares(state_); });
}

double NetworkSession::FixedWeightSSE() const {
    return Computing("the fixed-weight SSE cannot be computed",
                     [&] { return mnemex::FixedWeightSSE(state_, state_.Weights); });
}

NetworkSession::DistortedProbe NetworkSession::ProbeDistorted(long long p, double noiseDeviation,
                                                              double zeroFraction,
                                                              std::int64_t seed) const {
    const int pattern = CheckedPattern(p, "probe");
    RequireFinite(noiseDeviation, "noise_sd");
    if (noiseDeviation < 0.0)
        throw ArgumentError("noise_sd must be 0 or more, not " + RoundTripText(noiseDeviation));
    RequireFinite(zeroFraction, "zero_fraction");
    if (zeroFraction < 0.0 || zeroFraction > 1.0)
        throw ArgumentError("zero_fraction must lie between 0 and 1, not " +
                            RoundTripText(zeroFraction));
    const Distortion distortion{noiseDeviation, zeroFraction, CheckedSeed(seed)};
    return Computing("the distorted probe cannot be computed", [&] {
        DistortedProbe probe;
        probe.Distorted = DistortPattern(state_, pattern, distortion);
        if (!probe.Distorted.Problem.empty())
            throw ArgumentError(probe.Distorted.Problem);
        probe.Outputs = mnemex::RecallVector(state_, probe.Distorted.Inputs);
        probe.Measures = MeasureProbe(state_, pattern, probe.Distorted.Inputs);
        return probe;
    });
}

namespace {

void WriteExport(const std::string& path, const std::string& bytes, const char* what,
                 const PublicStuff& state) {
    RefuseTrainingFile(path, state, what);
    if (const auto failed = output::WriteWhole(path, bytes, NamesOnly()))
        throw ExportFailure(
            std::string("the ") + what + " could not be written: " + failed->Reason(),
            failed->Error, path);
}

}  // namespace

void NetworkSession::WriteWeightsCsv(const std::string& path) const {
    WriteExport(path, WeightsCsv(state_.Weights), "weights CSV file", state_);
}

void NetworkSession::WriteWeightsNpy(const std::string& path) const {
    WriteExport(path, WeightsNpy(state_.Weights), "weights .npy file", state_);
}

std::string NetworkSession::Report(const std::string& sections) {
    report::SectionSet chosen = report::DefaultSections();
    if (!sections.empty()) {
        const auto parsed = report::ParseSectionList(sections);
        if (!parsed)
            throw ArgumentError(
                "sections takes general, responses, errors, weights, inputs, outputs, sse or "
                "all, separated by commas, not \"" +
                sections + "\"");
        chosen = *parsed;
    }
    return Computing("the report could not be built", [&] {
        return report::BuildReport(state_, chosen, report::AnalysisTimeNow());
    });
}

void NetworkSession::WriteWorkbook(const std::string& path) {
    RefuseTrainingFile(path, state_, "workbook");
    const std::string failed = WriteSummaryWorkbookFile(state_, path, NamesOnly());
    if (!failed.empty())
        throw WorkbookFailure(ConsoleText(failed));
}

}  // namespace mnemex::python
