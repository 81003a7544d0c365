#include "core/Recall.h"

#include <cmath>
#include <vector>

#include "core/RunTimeError.h"

namespace mnemex {

int CheckedCount(std::int32_t count) {
    if (count > kMaxCount || count < -kMaxCount - 1)
        throw RunTimeException(kOverflow);
    return static_cast<int>(count);
}

void CheckNetworkSizes(const PublicStuff& state) {
    const int numInputs = CheckedCount(state.NumInputs);
    const int numOutputs = CheckedCount(state.NumOutputs);
    const int numPatterns = CheckedCount(state.NumPatterns);
    if (numInputs < 0 || numOutputs < 0 || numPatterns < 0 ||
        state.Weights.NumInputs() != numInputs || state.Weights.NumOutputs() != numOutputs ||
        state.InputPatterns.Units() != numInputs || state.DesiredOutputs.Units() != numOutputs ||
        state.InputPatterns.Patterns() < numPatterns ||
        state.DesiredOutputs.Patterns() < numPatterns)
        throw RunTimeException(kSubscriptOutOfRange);
}

void ResetWeights(PublicStuff& state) {
    state.Weights.Clear();
}

void RecallInputs(const WeightMatrix& weights, const double* inputs, std::vector<double>& net) {
    const int numInputs = weights.NumInputs();
    const int numOutputs = weights.NumOutputs();
    net.assign(static_cast<std::size_t>(numOutputs), 0.0);
    for (int i = 1; i <= numInputs; ++i) {
        const double xi = inputs[i - 1];
        const double* row = weights.Row(i);
        for (int j = 0; j < numOutputs; ++j)
            net[static_cast<std::size_t>(j)] = row[j] * xi + net[static_cast<std::size_t>(j)];
    }
}

void ComputeOutputs(PublicStuff& state, int p) {
    const int numInputs = CheckedCount(state.NumInputs);
    const int numOutputs = CheckedCount(state.NumOutputs);
    if (p < 1 || p > state.NumPatterns || state.Weights.NumInputs() != numInputs ||
        state.Weights.NumOutputs() != numOutputs || state.InputUnits.Count() != numInputs ||
        state.OutputUnits.Count() != numOutputs)
        throw RunTimeException(kSubscriptOutOfRange);

    const double* x = state.InputPatterns.Pattern(p);
    const double* desired = state.DesiredOutputs.Pattern(p);
    // Sum into a scratch vector first so that a failing sum stores nothing.
    thread_local std::vector<double> net;
    RecallInputs(state.Weights, x, net);
    for (int j = 0; j < numOutputs; ++j) {
        const double error = desired[j] - net[static_cast<std::size_t>(j)];
        if (!std::isfinite(error))
            throw RunTimeException(kOverflow);
    }
    for (int i = 1; i <= numInputs; ++i)
        state.InputUnits(i).Activity = x[i - 1];
    for (int j = 1; j <= numOutputs; ++j) {
        UnitRecord& unit = state.OutputUnits(j);
        unit.NetInput = net[static_cast<std::size_t>(j - 1)];
        unit.Activity = unit.NetInput;
        unit.Error = desired[j - 1] - unit.Activity;
    }
}

std::vector<double> RecallVector(const PublicStuff& state, const std::vector<double>& inputs) {
    const int numInputs = CheckedCount(state.NumInputs);
    const int numOutputs = CheckedCount(state.NumOutputs);
    if (inputs.size() != static_cast<std::size_t>(numInputs) ||
        state.Weights.NumInputs() != numInputs || state.Weights.NumOutputs() != numOutputs)
        throw RunTimeException(kSubscriptOutOfRange);
    std::vector<double> net;
    RecallInputs(state.Weights, inputs.data(), net);
    for (double activity : net)
        if (!std::isfinite(activity))
            throw RunTimeException(kOverflow);
    return net;
}

double PatternSSE(const PublicStuff& state) {
    const int numOutputs = CheckedCount(state.NumOutputs);
    double sum = 0.0;
    for (int j = 1; j <= numOutputs; ++j) {
        const double e = state.OutputUnits(j).Error;
        sum = sum + e * e;
    }
    if (!std::isfinite(sum))
        throw RunTimeException(kOverflow);
    return sum;
}

}  // namespace mnemex
