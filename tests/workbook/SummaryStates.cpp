#include "tests/workbook/SummaryStates.h"

namespace mnemex::testing {

double FormulaInput(int i, int p) {
    return ((7 * i + 3 * p) % 11 - 5) / 4.0;
}

double FormulaDesired(int j, int p) {
    return ((5 * j + p) % 7 - 3) / 2.0;
}

double FormulaWeight(int j, int i) {
    return ((3 * j + 5 * i) % 13 - 6) / 8.0;
}

PublicStuff FormulaState(int inputs, int outputs, int patterns, int history) {
    PublicStuff state;
    state.NumInputs = inputs;
    state.NumOutputs = outputs;
    state.NumPatterns = patterns;
    state.InputPatterns.Reallocate(inputs, patterns);
    state.DesiredOutputs.Reallocate(outputs, patterns);
    for (int p = 1; p <= patterns; ++p) {
        for (int i = 1; i <= inputs; ++i)
            state.InputPatterns(i, p) = FormulaInput(i, p);
        for (int j = 1; j <= outputs; ++j)
            state.DesiredOutputs(j, p) = FormulaDesired(j, p);
    }
    state.ReallocateNetwork();
    for (int i = 1; i <= inputs; ++i)
        for (int j = 1; j <= outputs; ++j)
            state.Weights.SetWeight(j, i, FormulaWeight(j, i));
    state.SSECount = static_cast<std::int16_t>(history);
    for (int r = 1; r <= history; ++r) {
        state.SSEHistory[static_cast<std::size_t>(r)][1] = 10.0 * r;
        state.SSEHistory[static_cast<std::size_t>(r)][2] = 1000.0 / r;
    }
    state.TrainingFileName = "formula.net";
    state.LearningRule = "Delta";
    state.LearningRate = 0.25;
    state.EpochCount = 10 * history;
    state.NewRun = 0;
    return state;
}

}  // namespace mnemex::testing
