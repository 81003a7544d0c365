#include "cli/JsonResult.h"

#include <algorithm>

#include "core/NumberForms.h"
#include "core/json/JsonText.h"

namespace mnemex::batch {

void AppendNumber(std::string& out, double value) {
    json::AppendNumber(out, value);
}

void AppendWeightRows(std::string& out, const WeightMatrix& weights, const std::string& indent) {
    out += '[';
    AppendRows(out, weights.NumOutputs(),
               static_cast<std::size_t>(weights.NumInputs()) * (kLongestRoundTripText + 2) +
                   indent.size() + 6,
               [&](std::string& text, int first, int end) {
                   for (int j = first; j < end; ++j) {
                       text += j == 1 ? "\n" : ",\n";
                       text += indent;
                       text += "  [";
                       for (int i = 1; i <= weights.NumInputs(); ++i) {
                           if (i > 1)
                               text += ", ";
                           AppendNumber(text, weights.Weight(j, i));
                       }
                       text += ']';
                   }
               });
    if (weights.NumOutputs() > 0) {
        out += '\n';
        out += indent;
    }
    out += ']';
}

void AppendString(std::string& out, const std::string& text) {
    json::AppendString(out, text);
}

std::string JsonResult(const PublicStuff& s, const std::string& moreMembers) {
    std::string out;
    // Room for the whole text: the network's, the members that follow and a few more.
    ReserveText(out, json::NetworkTextRoom(s) + moreMembers.size() + 256);
    out += "{\n  \"file\": ";
    AppendString(out, s.TrainingFileName);
    out += ",\n  \"rule\": ";
    AppendString(out, s.LearningRule);
    out += ",\n  \"rate\": ";
    AppendNumber(out, s.LearningRate);
    out += ",\n  \"epochs\": " + std::to_string(s.EpochCount);
    out += ",\n  \"total_sse\": ";
    AppendNumber(out, s.TotalSSE);
    out += ",\n  \"weights\": ";
    AppendWeightRows(out, s.Weights, "  ");
    out += ",\n  \"history\": [";
    for (int r = 1; r <= s.SSECount; ++r) {
        out += r == 1 ? "\n    [" : ",\n    [";
        AppendNumber(out, s.SSEHistory[static_cast<std::size_t>(r)][1]);
        out += ", ";
        AppendNumber(out, s.SSEHistory[static_cast<std::size_t>(r)][2]);
        out += ']';
    }
    out += s.SSECount > 0 ? "\n  ]" : "]";
    out += moreMembers;
    out += "\n}\n";
    return out;
}

std::optional<output::WriteFailure> WriteJsonResult(const PublicStuff& state,
                                                    const std::string& path,
                                                    const output::WriteOptions& options,
                                                    const std::string& moreMembers) {
    return output::WriteWhole(path, JsonResult(state, moreMembers), options);
}

}  // namespace mnemex::batch
