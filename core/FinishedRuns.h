#pragma once
// The training runs of this session as they ended: enough of each to draw its SSE curve
// again and to say how it was trained. Nothing is kept once the program ends.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/PatternOrder.h"
#include "core/PublicStuff.h"
#include "core/TrainingRun.h"

namespace mnemex {

// How a run came to an end.
enum class RunEnd {
    kMaximumEpochs,  // the epoch test held
    kErrorLevel,     // the total SSE fell below the minimum level of error
    kStopped,        // the student pressed Stop Training (or Esc)
    kTrainingError,  // a run-time error (weights that overflow) ended it
    kOpened,         // a network opened from a file: its run ended in another session
};

// How the run that has just ended in `state` with `outcome` ended: a finished run by the
// stopping test that holds (the epoch test first, as the run tests it).
RunEnd EndOf(const PublicStuff& state, RunOutcome outcome);

// "reached the maximum epochs", "stopped with Stop Training", ...
std::string RunEndText(RunEnd end);

struct FinishedRun {
    int Id = 0;  // from 1, in the order the runs started
    std::string FileName;
    std::string Rule;  // "Hebb" or "Delta"
    double Rate = 0.0;
    PatternOrder Order;
    // (epoch, total SSE), in row order: only the epochs with a printout, and no more than
    // the history holds, so its last epoch is not the run's.
    std::vector<std::pair<double, double>> History;
    std::int64_t Epochs = 0;  // the network's own epoch count when the run ended
    RunEnd End = RunEnd::kMaximumEpochs;
    bool Kept = false;
};

class FinishedRuns {
  public:
    // Most runs remembered; beyond it the oldest run not kept is forgotten.
    static constexpr std::size_t kLimit = 50;

    // Records the run that has just ended in `state`. A continued run (NewRun 0) whose
    // history carries on the last recorded one replaces that row, keeping its Id and its
    // Kept mark; any other run is added.
    const FinishedRun& Record(const PublicStuff& state, RunEnd end);

    const std::vector<FinishedRun>& All() const { return runs_; }
    std::vector<const FinishedRun*> Kept() const;
    // False when no run has that Id.
    bool SetKept(int id, bool kept);

  private:
    std::vector<FinishedRun> runs_;
    int nextId_ = 1;
};

// "letters.net, Delta, rate 0.1, file order" (or "permuted order, seed 7"), and
// ", stopped by an error" for a run that failed.
std::string RunLegend(const FinishedRun& run);

// The run's list entry: its settings, its true epoch count and how it ended, e.g.
// "letters.net, Delta, rate 0.1, file order: 1,938,500 epochs, stopped with Stop Training".
std::string RunSummary(const FinishedRun& run);

}  // namespace mnemex
