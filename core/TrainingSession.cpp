#include "core/TrainingSession.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <utility>

#include "core/NumberForms.h"
#include "core/Recall.h"

namespace mnemex {

namespace {

// The training parameters a settings check may change, kept so that a check that must
// change nothing can put them back.
struct ParametersBefore {
    explicit ParametersBefore(const PublicStuff& s)
        : rule(s.LearningRule),
          rate(s.LearningRate),
          stopAtMax(s.StopAtMaxEpochs),
          stopAtMin(s.StopAtMinError),
          maxEpochs(s.MaxEpochs),
          minError(s.MinError),
          printInterval(s.PrintInterval),
          newRun(s.NewRun),
          order(s.Order) {}
    void Restore(PublicStuff& s) const {
        s.LearningRule = rule;
        s.LearningRate = rate;
        s.StopAtMaxEpochs = stopAtMax;
        s.StopAtMinError = stopAtMin;
        s.MaxEpochs = maxEpochs;
        s.MinError = minError;
        s.PrintInterval = printInterval;
        s.NewRun = newRun;
        s.Order = order;
    }
    std::string rule;
    double rate;
    std::int16_t stopAtMax, stopAtMin;
    std::int32_t maxEpochs;
    double minError;
    std::int32_t printInterval;
    std::int16_t newRun;
    PatternOrder order;
};

bool NetworkFitsCounts(const PublicStuff& s) {
    return s.Weights.NumInputs() == s.NumInputs && s.Weights.NumOutputs() == s.NumOutputs &&
           s.InputUnits.Count() == s.NumInputs && s.OutputUnits.Count() == s.NumOutputs;
}

// The epochs entry as the progress bar takes it: in single precision, when the epoch test
// is on (the check has read it then); else 0.
double ProgressMaximumOf(const RunSettings& settings) {
    if (!settings.Entries.EpochTest)
        return 0.0;
    try {
        const double epochs = settings.Read(settings.Entries.Epochs);
        if (!(std::fabs(epochs) <= std::numeric_limits<float>::max()))
            return 0.0;
        return static_cast<float>(epochs);
    } catch (const RunTimeException&) {
        return 0.0;
    }
}

// The epochs entry as a run length to save with the network: 0 when it holds no whole
// number in range (a run ended by the error test alone may have any text there).
std::int32_t RunEpochsOf(const RunSettings& settings) {
    try {
        return RoundToLong(settings.Read(settings.Entries.Epochs));
    } catch (const RunTimeException&) {
        return 0;
    }
}

}  // namespace

std::string RefusalText(const CheckResult& check) {
    if (check.Verdict == CheckVerdict::kError)
        return "the settings cannot be used: " + check.Error.Description;
    const ValidationWarning w = WarningFor(check.Verdict);
    return w.Title + ": " + w.Message;
}

NetworkSettings SettingsOf(const PublicStuff& state, const RunMemory& run) {
    NetworkSettings settings;
    settings.Rule = state.LearningRule;
    settings.Entries.EpochTest = state.StopAtMaxEpochs == 1;
    settings.Entries.ErrorTest = state.StopAtMinError == 1;
    settings.Entries.Epochs = std::to_string(run.RunEpochs);
    settings.Entries.PrintEpochs = std::to_string(state.PrintInterval);
    settings.Entries.LearningRate = RoundTripText(state.LearningRate);
    settings.Entries.MinError = RoundTripText(state.MinError);
    settings.Order = state.Order;
    return settings;
}

TrainingSession::TrainingSession(PublicStuff& state) : state_(state) {}

TrainingSession::~TrainingSession() = default;

std::optional<TrainingFileError> TrainingSession::OpenTrainingFile(const std::string& path) {
    if (auto e = ReadTrainingFile(state_, path))
        return e;
    AfterNewPatterns(std::filesystem::path(path).filename().string(), path);
    return std::nullopt;
}

std::optional<TrainingFileError> TrainingSession::TakePatterns(const std::string& name,
                                                               PatternArrays arrays) {
    if (auto e = StorePatterns(state_, name, std::move(arrays)))
        return e;
    AfterNewPatterns(name, std::string());
    return std::nullopt;
}

// As going on to the setup page with a newly read file.
void TrainingSession::AfterNewPatterns(const std::string& name, const std::string& path) {
    state_.TrainingFileName = name;
    state_.TrainingFilePath = path;
    state_.LearningRule = "Hebb";
    state_.NewRun = 1;
    state_.EpochCount = 0;
    state_.SSECount = 0;
    trained_ = false;
    lastRun_ = {};
}

RunTimeError TrainingSession::FreshNetwork() {
    state_.NewRun = 1;
    return TrapErrors([&] { state_.ReallocateNetwork(); });
}

RunTimeError TrainingSession::ClearForStart() {
    state_.NewRun = 1;
    trained_ = false;  // the weights are no longer what the last run left
    return TrapErrors([&] {
        if (NetworkFitsCounts(state_))
            ResetWeights(state_);
        else
            state_.ReallocateNetwork();
    });
}

SessionResult TrainingSession::PrepareStart(const RunSettings& settings) {
    return Prepare(settings, false);
}

SessionResult TrainingSession::PrepareContinue(const RunSettings& settings) {
    return Prepare(settings, true);
}

SessionResult TrainingSession::Prepare(const RunSettings& settings, bool continuing) {
    SessionResult result;
    prepared_ = false;
    const ParametersBefore before(state_);
    if (settings.Rule)
        state_.LearningRule = *settings.Rule;
    if (settings.Order)
        state_.Order = *settings.Order;
    state_.NewRun = continuing ? 0 : 1;
    const bool clearFirst = settings.OnRefusal == RefusalLeaves::kClearedNetwork;
    if (!continuing && clearFirst) {
        result.Error = ClearForStart();
        if (result.Error.Number != 0) {
            result.Outcome = RunOutcome::kFailed;
            return result;
        }
    }
    result.Check = CheckParameters(state_, settings.Entries, settings.Read);
    if (result.Check.Verdict != CheckVerdict::kAccepted) {
        if (!clearFirst)
            before.Restore(state_);
        result.Outcome = RunOutcome::kRefused;
        return result;
    }
    if (!continuing && !clearFirst) {
        result.Error = ClearForStart();
        if (result.Error.Number != 0) {
            result.Outcome = RunOutcome::kFailed;
            return result;
        }
    }
    progressMaximum_ = ProgressMaximumOf(settings);
    pendingRun_.RunEpochs = RunEpochsOf(settings);
    prepared_ = true;
    return result;
}

void TrainingSession::BeginRun(TrainingDisplay& display) {
    run_ = std::make_unique<TrainingRun>(state_, display, progressMaximum_);
    prepared_ = false;
}

bool TrainingSession::Advance(std::int64_t epochs) {
    return !run_ || run_->Advance(epochs);
}

SessionResult TrainingSession::Finished() {
    SessionResult result;
    if (!run_)
        return result;
    const RunResult& r = run_->Result();
    result.Outcome = r.Outcome;
    result.Error = r.Error;
    result.Change = r.Change;
    run_.reset();
    trained_ = result.Outcome != RunOutcome::kFailed;
    if (trained_) {
        lastRun_ = pendingRun_;
        lastRun_.LastChange = result.Change;
    }
    return result;
}

SessionResult TrainingSession::Train(TrainingDisplay& display) {
    BeginRun(display);
    while (!Advance(INT64_MAX)) {
    }
    return Finished();
}

SessionResult TrainingSession::Start(const RunSettings& settings, TrainingDisplay& display) {
    SessionResult prepared = PrepareStart(settings);
    return prepared_ ? Train(display) : prepared;
}

SessionResult TrainingSession::Continue(const RunSettings& settings, TrainingDisplay& display) {
    SessionResult prepared = PrepareContinue(settings);
    return prepared_ ? Train(display) : prepared;
}

std::optional<std::string> TrainingSession::Save(const std::string& path,
                                                 const output::WriteOptions& options,
                                                 const StopCheck& stop) const {
    return SaveNetworkState(state_, lastRun_, path, options, stop);
}

LoadedNetwork TrainingSession::Open(const std::string& statePath, const std::string& trainingPath,
                                    const StopCheck& stop) {
    LoadedNetwork loaded = LoadNetworkState(statePath, trainingPath, stop);
    if (!loaded.Network)
        return loaded;
    lastRun_ = loaded.Network->Run;
    AdoptSavedNetwork(state_, std::move(*loaded.Network));
    trained_ = true;
    return loaded;
}

}  // namespace mnemex
