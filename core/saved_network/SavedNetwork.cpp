#include "core/saved_network/SavedNetwork.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/TrainingFile.h"
#include "core/json/JsonText.h"
#include "core/json/StrictJson.h"
#include "core/saved_network/Sha256.h"

namespace mnemex {

namespace {

using json::Value;
using Kind = json::Value::Kind;

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

void Member(std::string& out, const char* name) {
    out += ",\n  \"";
    out += name;
    out += "\": ";
}

void WholeMember(std::string& out, const char* name, long long value) {
    Member(out, name);
    out += std::to_string(value);
}

void NumberMember(std::string& out, const char* name, double value) {
    Member(out, name);
    json::AppendNumber(out, value);
}

// Reads a whole file; nothing (and the reason) when it cannot.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& problem) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        problem = std::strerror(EISDIR);
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        text.append(buffer, got);
        if (got < sizeof buffer)
            break;
    }
    if (std::ferror(file.get())) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    return text;
}

// Whether two pattern stores hold the same counts and the same bits.
bool SamePatterns(const PublicStuff& a, const PublicStuff& b) {
    return a.NumInputs == b.NumInputs && a.NumOutputs == b.NumOutputs &&
           a.NumPatterns == b.NumPatterns &&
           a.InputPatterns.Storage().size() == b.InputPatterns.Storage().size() &&
           a.DesiredOutputs.Storage().size() == b.DesiredOutputs.Storage().size() &&
           std::memcmp(a.InputPatterns.Storage().data(), b.InputPatterns.Storage().data(),
                       a.InputPatterns.Storage().size() * sizeof(double)) == 0 &&
           std::memcmp(a.DesiredOutputs.Storage().data(), b.DesiredOutputs.Storage().data(),
                       a.DesiredOutputs.Storage().size() * sizeof(double)) == 0;
}

// Refusals while reading the members: the reason, to be put after the file's name.
struct Refusal {
    std::string Reason;
};

class Members {
  public:
    explicit Members(const Value& root) : root_(root) {}

    const Value& Get(const char* name, Kind kind, const char* what) const {
        const Value* v = root_.Find(name);
        if (v == nullptr)
            throw Refusal{"\"" + std::string(name) + "\" is missing"};
        if (v->Type != kind)
            throw Refusal{"\"" + std::string(name) + "\" is not " + what};
        return *v;
    }
    std::string Text(const char* name) const { return Get(name, Kind::kString, "a text").Text; }
    bool Flag(const char* name) const { return Get(name, Kind::kBool, "true or false").Bool; }
    std::int64_t Whole(const char* name, std::int64_t low, std::int64_t high) const {
        return WholeIn(Get(name, Kind::kNumber, "a number"), name, low, high);
    }
    double Finite(const char* name) const {
        return FiniteNumber(Get(name, Kind::kNumber, "a number"), name);
    }

    static std::int64_t WholeIn(const Value& v, const char* name, std::int64_t low,
                                std::int64_t high) {
        const auto n = json::ToInt64(v);
        if (v.Type != Kind::kNumber || !n || *n < low || *n > high)
            throw Refusal{"\"" + std::string(name) + "\" is not a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high)};
        return *n;
    }
    static double FiniteNumber(const Value& v, const char* name) {
        if (v.Type != Kind::kNumber)
            throw Refusal{"\"" + std::string(name) + "\" holds something that is not a number"};
        const auto d = json::ToDouble(v);
        if (!d)
            throw Refusal{"\"" + std::string(name) +
                          "\" holds a value that is not a finite number"};
        return *d;
    }

  private:
    const Value& root_;
};

constexpr std::int64_t kInt32Max = 2147483647;
constexpr std::int64_t kInt32Min = -kInt32Max - 1;

// The settings and the record of a checked file, before the training file is looked at.
struct FileContents {
    std::string TrainingName;
    std::string Sha256;
    std::int64_t Inputs = 0, Outputs = 0, Patterns = 0;
    PublicStuff Settings;  // parameters, order, record and weights (sized below)
    std::vector<std::vector<double>> WeightRows;
    RunMemory Run;
};

FileContents ReadMembers(const Value& root) {
    const Members m(root);
    FileContents c;
    const Value& training = m.Get("training_file", Kind::kObject, "an object");
    const Members t(training);
    c.TrainingName = t.Text("name");
    c.Sha256 = t.Text("sha256");
    c.Inputs = m.Whole("inputs", 0, kMaxCount);
    c.Outputs = m.Whole("outputs", 0, kMaxCount);
    c.Patterns = m.Whole("patterns", 0, kMaxCount);

    PublicStuff& s = c.Settings;
    s.LearningRule = m.Text("rule");
    if (s.LearningRule != "Hebb" && s.LearningRule != "Delta")
        throw Refusal{"\"rule\" is neither \"Hebb\" nor \"Delta\""};
    s.LearningRate = m.Finite("rate");
    s.StopAtMaxEpochs = m.Flag("stop_at_max_epochs") ? 1 : 0;
    s.StopAtMinError = m.Flag("stop_at_min_error") ? 1 : 0;
    s.MaxEpochs = static_cast<std::int32_t>(m.Whole("max_epochs", kInt32Min, kInt32Max));
    c.Run.RunEpochs = static_cast<std::int32_t>(m.Whole("run_epochs", kInt32Min, kInt32Max));
    s.MinError = m.Finite("min_error");
    s.PrintInterval = static_cast<std::int32_t>(m.Whole("print_interval", kInt32Min, kInt32Max));
    const std::string order = m.Text("order");
    if (order != "file" && order != "permuted")
        throw Refusal{"\"order\" is neither \"file\" nor \"permuted\""};
    s.Order.Permuted = order == "permuted";
    const auto seed = json::ToUInt64(m.Get("seed", Kind::kNumber, "a number"));
    if (!seed)
        throw Refusal{"\"seed\" is not a whole number from 0 to 18446744073709551615"};
    s.Order.Seed = *seed;

    s.EpochCount = static_cast<std::int32_t>(m.Whole("epochs", 0, kInt32Max));
    s.TotalSSE = m.Finite("total_sse");
    const Value* change = root.Find("last_change");
    if (change == nullptr)
        throw Refusal{"\"last_change\" is missing"};
    if (change->Type != Kind::kNull)
        c.Run.LastChange = Members::FiniteNumber(*change, "last_change");

    for (const Value& row : m.Get("weights", Kind::kArray, "a list").Items) {
        if (row.Type != Kind::kArray)
            throw Refusal{"\"weights\" holds a row that is not a list"};
        std::vector<double> values;
        values.reserve(row.Items.size());
        for (const Value& w : row.Items)
            values.push_back(Members::FiniteNumber(w, "weights"));
        c.WeightRows.push_back(std::move(values));
    }

    const Value& history = m.Get("history", Kind::kArray, "a list");
    if (history.Items.size() > static_cast<std::size_t>(kHistoryRows))
        throw Refusal{"\"history\" has more than " + std::to_string(kHistoryRows) + " rows"};
    s.SSECount = static_cast<std::int16_t>(history.Items.size());
    for (std::size_t r = 0; r < history.Items.size(); ++r) {
        const Value& row = history.Items[r];
        if (row.Type != Kind::kArray || row.Items.size() != 2)
            throw Refusal{"\"history\" holds a row that is not [epoch, total SSE]"};
        s.SSEHistory[r + 1][1] = Members::FiniteNumber(row.Items[0], "history");
        s.SSEHistory[r + 1][2] = Members::FiniteNumber(row.Items[1], "history");
    }
    return c;
}

// The format and version members, checked before anything else is trusted.
void CheckFormat(const Value& root) {
    const Value* format = root.Find("format");
    if (root.Type != Kind::kObject || format == nullptr || format->Type != Kind::kString ||
        format->Text != kStateFormatName)
        throw Refusal{"it is not a saved network"};
    const Value* version = root.Find("version");
    const auto number = version ? json::ToInt64(*version) : std::nullopt;
    if (!number || *number < 1)
        throw Refusal{"\"version\" is not a whole number from 1"};
    if (*number > kStateFormatVersion)
        throw Refusal{"it was saved in format version " + std::to_string(*number) +
                      ", newer than this program reads (" + std::to_string(kStateFormatVersion) +
                      ")"};
}

}  // namespace

std::string StateFileText(const PublicStuff& s, const RunMemory& run, const std::string& sha256) {
    std::string out = "{\n  \"format\": ";
    json::AppendString(out, kStateFormatName);
    WholeMember(out, "version", kStateFormatVersion);
    Member(out, "training_file");
    out += "{\"name\": ";
    json::AppendString(out, s.TrainingFileName);
    out += ", \"sha256\": ";
    json::AppendString(out, sha256);
    out += "}";
    WholeMember(out, "inputs", s.NumInputs);
    WholeMember(out, "outputs", s.NumOutputs);
    WholeMember(out, "patterns", s.NumPatterns);
    Member(out, "rule");
    json::AppendString(out, s.LearningRule == "Hebb" ? "Hebb" : "Delta");
    NumberMember(out, "rate", s.LearningRate);
    Member(out, "stop_at_max_epochs");
    out += s.StopAtMaxEpochs == 1 ? "true" : "false";
    Member(out, "stop_at_min_error");
    out += s.StopAtMinError == 1 ? "true" : "false";
    WholeMember(out, "max_epochs", s.MaxEpochs);
    WholeMember(out, "run_epochs", run.RunEpochs);
    NumberMember(out, "min_error", s.MinError);
    WholeMember(out, "print_interval", s.PrintInterval);
    Member(out, "order");
    out += s.Order.Permuted ? "\"permuted\"" : "\"file\"";
    Member(out, "seed");
    out += std::to_string(s.Order.Seed);
    WholeMember(out, "epochs", s.EpochCount);
    NumberMember(out, "total_sse", s.TotalSSE);
    Member(out, "last_change");
    if (run.LastChange)
        json::AppendNumber(out, *run.LastChange);
    else
        out += "null";
    Member(out, "weights");
    out += '[';
    for (int j = 1; j <= s.Weights.NumOutputs(); ++j) {
        out += j == 1 ? "\n    [" : ",\n    [";
        for (int i = 1; i <= s.Weights.NumInputs(); ++i) {
            if (i > 1)
                out += ", ";
            json::AppendNumber(out, s.Weights.Weight(j, i));
        }
        out += ']';
    }
    out += s.Weights.NumOutputs() > 0 ? "\n  ]" : "]";
    Member(out, "history");
    out += '[';
    for (int r = 1; r <= s.SSECount; ++r) {
        out += r == 1 ? "\n    [" : ",\n    [";
        json::AppendNumber(out, s.SSEHistory[static_cast<std::size_t>(r)][1]);
        out += ", ";
        json::AppendNumber(out, s.SSEHistory[static_cast<std::size_t>(r)][2]);
        out += ']';
    }
    out += s.SSECount > 0 ? "\n  ]" : "]";
    out += "\n}\n";
    return out;
}

std::optional<std::string> SaveNetworkState(const PublicStuff& state, const RunMemory& run,
                                            const std::string& statePath,
                                            const output::WriteOptions& options) {
    const std::string training = state.TrainingFilePath;
    const std::string cannot = "The network cannot be saved to " + Quoted(statePath) + ": ";
    if (training.empty())
        return cannot + "no training file has been read.";
    if (state.Weights.NumInputs() != state.NumInputs ||
        state.Weights.NumOutputs() != state.NumOutputs)
        return cannot + "there is no network to save.";
    std::string problem;
    const auto sha = Sha256OfFile(training, problem);
    if (!sha)
        return cannot + "the training file " + Quoted(training) + " cannot be read (" + problem +
               ").";
    // The file must still be what the pattern store was read from, or the saved network
    // would name a file it was never trained on.
    PublicStuff reread;
    if (ReadTrainingFile(reread, training) || !SamePatterns(reread, state))
        return cannot + "the training file " + Quoted(training) +
               " has changed since it was read; open it again first.";
    if (const auto failure =
            output::WriteWhole(statePath, StateFileText(state, run, *sha), options))
        return cannot + failure->Reason() + ".";
    return std::nullopt;
}

LoadedNetwork LoadNetworkState(const std::string& statePath, const std::string& trainingPath) {
    LoadedNetwork result;
    const std::string named = "The saved network " + Quoted(statePath);
    std::string problem;
    const auto text = ReadWholeFile(statePath, problem);
    if (!text) {
        result.Message = named + " cannot be read: " + problem + ".";
        return result;
    }
    json::ParseProblem parseProblem;
    const auto root = json::Parse(*text, parseProblem);
    if (!root) {
        result.Message = named + " is damaged or cut short: " + parseProblem.What + " (line " +
                         std::to_string(parseProblem.Line) + ").";
        return result;
    }
    FileContents contents;
    try {
        CheckFormat(*root);
        contents = ReadMembers(*root);
    } catch (const Refusal& r) {
        result.Message = named + " cannot be used: " + r.Reason + ".";
        return result;
    }

    result.TrainingName = contents.TrainingName;
    const std::string training =
        !trainingPath.empty()
            ? trainingPath
            : (std::filesystem::path(statePath).parent_path() / contents.TrainingName).string();
    const std::string trainingNamed =
        "The training file " + Quoted(training) + " of " + Quoted(statePath);
    const auto sha = Sha256OfFile(training, problem);
    if (!sha) {
        result.Message = trainingNamed + " cannot be read: " + problem + ".";
        result.WrongTrainingFile = true;
        return result;
    }
    if (*sha != contents.Sha256) {
        result.Message =
            trainingNamed + " is not the file the network was trained on: its SHA-256 differs.";
        result.WrongTrainingFile = true;
        return result;
    }

    SavedNetwork saved;
    saved.State = std::move(contents.Settings);
    PublicStuff& s = saved.State;
    if (auto error = ReadTrainingFile(s, training)) {
        result.Message = error->Message;
        return result;
    }
    const auto sizes = [](std::int64_t i, std::int64_t o, std::int64_t p) {
        return std::to_string(i) + " inputs, " + std::to_string(o) + " outputs and " +
               std::to_string(p) + " patterns";
    };
    bool rowsFit = contents.WeightRows.size() == static_cast<std::size_t>(s.NumOutputs);
    for (const auto& row : contents.WeightRows)
        rowsFit = rowsFit && row.size() == static_cast<std::size_t>(s.NumInputs);
    if (contents.Inputs != s.NumInputs || contents.Outputs != s.NumOutputs ||
        contents.Patterns != s.NumPatterns || !rowsFit) {
        result.Message = named + " does not fit " + Quoted(training) + ": it has " +
                         sizes(contents.Inputs, contents.Outputs, contents.Patterns) +
                         (rowsFit ? "" : " (and weights of other sizes)") + ", the file " +
                         sizes(s.NumInputs, s.NumOutputs, s.NumPatterns) + ".";
        return result;
    }
    s.TrainingFileName = contents.TrainingName;
    s.TrainingFilePath = training;
    s.ReallocateNetwork();
    for (int j = 1; j <= s.NumOutputs; ++j)
        for (int i = 1; i <= s.NumInputs; ++i)
            s.Weights.SetWeight(j, i,
                                contents.WeightRows[static_cast<std::size_t>(j - 1)]
                                                   [static_cast<std::size_t>(i - 1)]);
    s.NewRun = 0;
    saved.Run = contents.Run;
    result.Network = std::move(saved);
    return result;
}

void AdoptSavedNetwork(PublicStuff& state, SavedNetwork&& saved) {
    std::string report = std::move(state.ReportFileName);
    state = std::move(saved.State);
    state.ReportFileName = std::move(report);
    state.NewRun = 0;
}

}  // namespace mnemex
