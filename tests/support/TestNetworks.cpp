#include "tests/support/TestNetworks.h"

#include <cstring>

namespace mnemex::testsupport {

PublicStuff MakeNetwork(int inputs, int outputs, const std::vector<double>& inputValues,
                        const std::vector<double>& desiredValues,
                        const std::vector<double>& weightRows) {
    PublicStuff s;
    const int patterns = inputs > 0
                             ? static_cast<int>(inputValues.size()) / inputs
                             : (outputs > 0 ? static_cast<int>(desiredValues.size()) / outputs : 0);
    s.NumInputs = inputs;
    s.NumOutputs = outputs;
    s.NumPatterns = patterns;
    s.InputPatterns.Adopt(inputs, patterns, inputValues);
    s.DesiredOutputs.Adopt(outputs, patterns, desiredValues);
    s.ReallocateNetwork();
    if (!weightRows.empty())
        for (int i = 1; i <= inputs; ++i)
            for (int j = 1; j <= outputs; ++j)
                s.Weights.SetWeight(
                    j, i, weightRows[static_cast<std::size_t>((i - 1) * outputs + j - 1)]);
    s.TrainingFileName = "small.net";
    return s;
}

PublicStuff SmallTrainedNetwork() {
    PublicStuff s = MakeNetwork(2, 2, {1, 0, 0.5, 1}, {1, -0.5, 0.25, 2}, {0.5, 1.5, -0.25, 0});
    s.LearningRule = "Delta";
    s.LearningRate = 0.1;
    s.EpochCount = 25;
    s.TotalSSE = 0.015625;
    s.SSECount = 2;
    s.SSEHistory[1] = {0, 0, 5.5};
    s.SSEHistory[2] = {0, 25, 0.015625};
    return s;
}

bool SamePatternStore(const PublicStuff& a, const PublicStuff& b) {
    const auto sameBits = [](const std::vector<double>& x, const std::vector<double>& y) {
        return x.size() == y.size() &&
               (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof(double)) == 0);
    };
    return a.NumOutputs == b.NumOutputs && a.SpareCount == b.SpareCount &&
           a.NumInputs == b.NumInputs && a.NumPatterns == b.NumPatterns &&
           sameBits(a.InputPatterns.Storage(), b.InputPatterns.Storage()) &&
           sameBits(a.DesiredOutputs.Storage(), b.DesiredOutputs.Storage());
}

}  // namespace mnemex::testsupport
