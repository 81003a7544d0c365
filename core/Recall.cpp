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

namespace {

// Every output unit's net input for the input vector x: summed over the input units in
// increasing order, starting from 0.
void SumNetInputs(const WeightMatrix& weights, const double* x, std::vector<double>& net) {
    const int numOutputs = weights.NumOutputs();
    net.assign(static_cast<std::size_t>(numOutputs), 0.0);
    for (int i = 1; i <= weights.NumInputs(); ++i) {
        const double xi = x[i - 1];
        const double* row = weights.Row(i);
        for (int j = 0; j < numOutputs; ++j)
            net[static_cast<std::size_t>(j)] = row[j] * xi + net[static_cast<std::size_t>(j)];
    }
}

}  // namespace

void ResetWeights(PublicStuff& state) {
    state.Weights.Clear();
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
    SumNetInputs(state.Weights, x, net);
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
    SumNetInputs(state.Weights, inputs.data(), net);
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
