#pragma once
// The two learning rules: one step for one pattern each.

#include "core/PublicStuff.h"

namespace mnemex {

// One Hebb-rule step for pattern p: input activities = pattern, output activities =
// desired values, then every weight (j, i) += (LearningRate x input i) x desired j.
// Throws RunTimeException(kOverflow) when a weight would overflow; the weights and unit
// records are then exactly as before the step.
void TrainHebb(PublicStuff& state, int p);

// One Delta-rule step for pattern p: ComputeOutputs(p), output activities = errors, then
// every weight (j, i) += (LearningRate x input i) x error j. Same failure contract.
void TrainDelta(PublicStuff& state, int p);

// The rule named by LearningRule: "Hebb" exactly selects Hebb, anything else Delta.
bool UsesHebbRule(const PublicStuff& state);

}  // namespace mnemex
