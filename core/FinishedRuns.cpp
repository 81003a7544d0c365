#include "core/FinishedRuns.h"

#include <algorithm>

#include "core/NumberForms.h"

namespace mnemex {

namespace {

FinishedRun Snapshot(const PublicStuff& state, bool endedByError) {
    FinishedRun run;
    run.FileName = state.TrainingFileName;
    run.Rule = state.LearningRule == "Hebb" ? "Hebb" : "Delta";
    run.Rate = state.LearningRate;
    run.Order = state.Order;
    run.EndedByError = endedByError;
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

const FinishedRun& FinishedRuns::Record(const PublicStuff& state, bool endedByError) {
    FinishedRun run = Snapshot(state, endedByError);
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

std::string RunLegend(const FinishedRun& run) {
    std::string text = run.FileName + ", " + run.Rule + ", rate " + FormatGeneral(run.Rate) + ", ";
    text += run.Order.Permuted ? "permuted order, seed " + std::to_string(run.Order.Seed)
                               : std::string("file order");
    if (run.EndedByError)
        text += ", stopped by an error";
    return text;
}

}  // namespace mnemex
