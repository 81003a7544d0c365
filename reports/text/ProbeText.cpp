#include "reports/text/ProbeText.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "core/NumberForms.h"
#include "core/Recall.h"

namespace mnemex::report {

namespace {

constexpr char kTab = '\t';
constexpr const char* kLineEnd = "\r\n";

std::string ValueLine(const std::string& label, const double* values, int count) {
    std::string line = label + kTab;
    for (int k = 0; k < count; ++k) {
        line += FormatSigned2(values[k]);
        line += kTab;
    }
    return line + kLineEnd;
}

}  // namespace

std::optional<int> ParsePatternNumber(const std::string& typed, std::int32_t numPatterns) {
    std::string_view text = typed;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > numPatterns)
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string ProbeBlock(PublicStuff& state, int p, const std::string& typed) {
    ComputeOutputs(state, p);
    const int outputs = state.NumOutputs;
    std::vector<double> activity, desired, error;
    for (int j = 1; j <= outputs; ++j) {
        activity.push_back(state.OutputUnits(j).Activity);
        desired.push_back(state.DesiredOutputs(j, p));
        error.push_back(state.OutputUnits(j).Error);
    }
    std::string block =
        ValueLine("Pattern: " + typed, state.InputPatterns.Pattern(p), state.NumInputs);
    block += std::string("---------------") + kLineEnd;
    block += ValueLine("Response (A):", activity.data(), outputs);
    block += ValueLine("Desired  (D):", desired.data(), outputs);
    block += ValueLine("Error  (D-A):", error.data(), outputs);
    block += std::string("=============================================") + kLineEnd;
    return block;
}

std::string AddProbeBlock(const std::string& block, const std::string& previous) {
    return block + previous;
}

std::string ProbePrintHeading(const std::string& trainingFileName) {
    return "Results Of Testing Distributed Memory On " + trainingFileName;
}

}  // namespace mnemex::report
