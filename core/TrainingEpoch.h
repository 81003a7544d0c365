#pragma once
// One epoch of training: every pattern in file order, each learned and then measured.

#include "core/PublicStuff.h"

namespace mnemex {

// Runs epochs on a state whose sizes stay fixed for the trainer's lifetime.
class EpochTrainer {
  public:
    explicit EpochTrainer(PublicStuff& state);
    // TotalSSE = 0; for p = 1..NumPatterns: learning step for p, ComputeOutputs(p),
    // TotalSSE += PatternSSE. Throws RunTimeException on overflow, leaving the state as
    // the failing step found it.
    void RunEpoch();

  private:
    PublicStuff& state_;
    bool hebb_;
};

}  // namespace mnemex
