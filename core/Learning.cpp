#include "core/Learning.h"

#include <cmath>
#include <vector>

#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

namespace {

// Adds (rate x inputs[i]) x activities[j] to every weight. The new matrix is built beside
// the old one and only replaces it when every value is finite.
void ApplyStep(PublicStuff& state, const double* inputs, const double* activities) {
    WeightMatrix& w = state.Weights;
    const int numInputs = w.NumInputs();
    const int numOutputs = w.NumOutputs();
    const double rate = state.LearningRate;
    thread_local std::vector<double> next;
    next.resize(w.Storage().size());
    bool finite = true;
    for (int i = 1; i <= numInputs; ++i) {
        const double scaled = rate * inputs[i - 1];
        const double* row = w.Row(i);
        double* out = next.data() + (row - w.Storage().data());
        for (int j = 0; j < numOutputs; ++j) {
            out[j] = row[j] + scaled * activities[j];
            finite &= std::isfinite(out[j]);
        }
    }
    if (!finite)
        throw RunTimeException(kOverflow);
    w.Storage().swap(next);
    w.RecordStep(rate, inputs, activities);
}

struct SavedActivities {
    std::vector<double> inputs, outputs;
};

void SetInputActivities(PublicStuff& state, int p) {
    const double* x = state.InputPatterns.Pattern(p);
    for (int i = 1; i <= state.NumInputs; ++i)
        state.InputUnits(i).Activity = x[i - 1];
}

void CheckStep(const PublicStuff& state, int p) {
    if (p < 1 || p > state.NumPatterns || state.Weights.NumInputs() != state.NumInputs ||
        state.Weights.NumOutputs() != state.NumOutputs ||
        state.InputUnits.Count() != state.NumInputs ||
        state.OutputUnits.Count() != state.NumOutputs)
        throw RunTimeException(kSubscriptOutOfRange);
    CheckedCount(state.NumInputs);
    CheckedCount(state.NumOutputs);
}

}  // namespace

bool UsesHebbRule(const PublicStuff& state) {
    return state.LearningRule == "Hebb";
}

void TrainHebb(PublicStuff& state, int p) {
    CheckStep(state, p);
    const UnitArray savedIn = state.InputUnits;
    const UnitArray savedOut = state.OutputUnits;
    SetInputActivities(state, p);
    const double* desired = state.DesiredOutputs.Pattern(p);
    for (int j = 1; j <= state.NumOutputs; ++j)
        state.OutputUnits(j).Activity = desired[j - 1];
    try {
        ApplyStep(state, state.InputPatterns.Pattern(p), desired);
    } catch (...) {
        state.InputUnits = savedIn;
        state.OutputUnits = savedOut;
        throw;
    }
}

void TrainDelta(PublicStuff& state, int p) {
    CheckStep(state, p);
    const UnitArray savedIn = state.InputUnits;
    const UnitArray savedOut = state.OutputUnits;
    try {
        SetInputActivities(state, p);
        ComputeOutputs(state, p);
        std::vector<double> errors(static_cast<std::size_t>(state.NumOutputs));
        for (int j = 1; j <= state.NumOutputs; ++j) {
            UnitRecord& unit = state.OutputUnits(j);
            unit.Activity = unit.Error;
            errors[static_cast<std::size_t>(j - 1)] = unit.Activity;
        }
        ApplyStep(state, state.InputPatterns.Pattern(p), errors.data());
    } catch (...) {
        state.InputUnits = savedIn;
        state.OutputUnits = savedOut;
        throw;
    }
}

}  // namespace mnemex
