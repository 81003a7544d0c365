#include "core/TrainingEpoch.h"

#include <cmath>

#include "core/Learning.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

EpochTrainer::EpochTrainer(PublicStuff& state) : state_(state), hebb_(UsesHebbRule(state)) {}

void EpochTrainer::RunEpoch() {
    state_.TotalSSE = 0.0;
    for (int p = 1; p <= state_.NumPatterns; ++p) {
        if (hebb_) {
            TrainHebb(state_, p);
        } else {
            TrainDelta(state_, p);
        }
        ComputeOutputs(state_, p);
        const double total = state_.TotalSSE + PatternSSE(state_);
        if (!std::isfinite(total))
            throw RunTimeException(kOverflow);
        state_.TotalSSE = total;
    }
}

}  // namespace mnemex
