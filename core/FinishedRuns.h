#pragma once
// The training runs of this session as they ended: enough of each to draw its SSE curve
// again and to say how it was trained. Nothing is kept once the program ends.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/PatternOrder.h"
#include "core/PublicStuff.h"

namespace mnemex {

struct FinishedRun {
    int Id = 0;  // from 1, in the order the runs started
    std::string FileName;
    std::string Rule;  // "Hebb" or "Delta"
    double Rate = 0.0;
    PatternOrder Order;
    std::vector<std::pair<double, double>> History;  // (epoch, total SSE), in row order
    bool EndedByError = false;
    bool Kept = false;
};

class FinishedRuns {
  public:
    // Most runs remembered; beyond it the oldest run not kept is forgotten.
    static constexpr std::size_t kLimit = 50;

    // Records the run that has just ended in `state`. A continued run (NewRun 0) whose
    // history carries on the last recorded one replaces that row, keeping its Id and its
    // Kept mark; any other run is added.
    const FinishedRun& Record(const PublicStuff& state, bool endedByError);

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

}  // namespace mnemex
