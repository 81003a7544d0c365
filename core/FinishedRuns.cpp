#include "core/FinishedRuns.h"

#include <algorithm>

#include "core/NumberForms.h"

namespace mnemex {

namespace {

FinishedRun Snapshot(const PublicStuff& state, RunEnd end) {
    FinishedRun run;
    run.FileName = state.TrainingFileName;
    run.Rule = state.LearningRule == "Hebb" ? "Hebb" : "Delta";
    run.Rate = state.LearningRate;
    run.Order = state.Order;
    run.Epochs = state.EpochCount;
    run.End = end;
    const int rows = std::clamp<int>(state.SSECount, 0, kHistoryRows);
    run.History.reserve(static_cast<std::size_t>(rows));
    for (int r = 1; r <= rows; ++r)
        run.History.emplace_back(state.SSEHistory[static_cast<std::size_t>(r)][1],
                                 state.SSEHistory[static_cast<std::size_t>(r)][2]);
    return run;
}

// True when `later` starts with every row of `earlier`: the same run, trained further.
bool CarriesOn(const FinishedRun& earlier, const FinishedRun& later) {
    return earlier.FileName == later.FileName && !earlier.History.empty() &&
           later.History.size() >= earlier.History.size() &&
           std::equal(earlier.History.begin(), earlier.History.end(), later.History.begin());
}

}  // namespace

const FinishedRun& FinishedRuns::Record(const PublicStuff& state, RunEnd end) {
    FinishedRun run = Snapshot(state, end);
    if (state.NewRun == 0 && !runs_.empty() && CarriesOn(runs_.back(), run)) {
        run.Id = runs_.back().Id;
        run.Kept = runs_.back().Kept;
        runs_.back() = std::move(run);
        return runs_.back();
    }
    run.Id = nextId_++;
    if (runs_.size() >= kLimit) {
        const auto oldest =
            std::find_if(runs_.begin(), runs_.end(), [](const FinishedRun& r) { return !r.Kept; });
        runs_.erase(oldest == runs_.end() ? runs_.begin() : oldest);
    }
    runs_.push_back(std::move(run));
    return runs_.back();
}

std::vector<const FinishedRun*> FinishedRuns::Kept() const {
    std::vector<const FinishedRun*> kept;
    for (const FinishedRun& run : runs_)
        if (run.Kept)
            kept.push_back(&run);
    return kept;
}

bool FinishedRuns::SetKept(int id, bool kept) {
    for (FinishedRun& run : runs_) {
        if (run.Id == id) {
            run.Kept = kept;
            return true;
        }
    }
    return false;
}

namespace {

std::string Settings(const FinishedRun& run) {
    std::string text = run.FileName + ", " + run.Rule + ", rate " + FormatGeneral(run.Rate) + ", ";
    text += run.Order.Permuted ? "permuted order, seed " + std::to_string(run.Order.Seed)
                               : std::string("file order");
    return text;
}

// 1938500 as "1,938,500": counts of millions of epochs are read, not deciphered.
std::string Grouped(std::int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return n < 0 ? "-" + digits : digits;
}

}  // namespace

RunEnd EndOf(const PublicStuff& state, RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::kInterrupted:
            return RunEnd::kStopped;
        case RunOutcome::kFailed:
            return RunEnd::kTrainingError;
        case RunOutcome::kFinished:
        case RunOutcome::kRefused:
            break;
    }
    if (state.StopAtMaxEpochs == 1 && state.EpochCount >= state.MaxEpochs)
        return RunEnd::kMaximumEpochs;
    return state.StopAtMinError == 1 ? RunEnd::kErrorLevel : RunEnd::kMaximumEpochs;
}

std::string RunEndText(RunEnd end) {
    switch (end) {
        case RunEnd::kMaximumEpochs:
            return "reached the maximum epochs";
        case RunEnd::kErrorLevel:
            return "reached the error level";
        case RunEnd::kStopped:
            return "stopped with Stop Training";
        case RunEnd::kTrainingError:
            return "ended by a training error";
        case RunEnd::kOpened:
            return "opened from a saved network";
    }
    return {};
}

std::string RunLegend(const FinishedRun& run) {
    std::string text = Settings(run);
    if (run.End == RunEnd::kTrainingError)
        text += ", stopped by an error";
    return text;
}

std::string RunSummary(const FinishedRun& run) {
    return Settings(run) + ": " + Grouped(run.Epochs) +
           (run.Epochs == 1 ? " epoch, " : " epochs, ") + RunEndText(run.End);
}

}  // namespace mnemex
