#include "core/saved_network/SavedNetwork.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "core/NumberForms.h"
#include "core/TrainingFile.h"
#include "core/json/JsonText.h"
#include "core/json/StrictJson.h"
#include "core/output/OutputTarget.h"
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

// A number the file holds in a list: its value, or why it is refused.
std::optional<double> ListNumber(const Value& v, const char* name, std::string& problem) {
    if (v.Type != Kind::kNumber) {
        problem = "\"" + std::string(name) + "\" holds something that is not a number";
        return std::nullopt;
    }
    const auto d = json::ToDouble(v);
    if (!d)
        problem = "\"" + std::string(name) + "\" holds a value that is not a finite number";
    return d;
}

// The "weights" list as it was read: its shape, the first refusal within it (in the order
// of the text) and its values row by row, kept only up to the count the file declares.
struct WeightRows {
    std::size_t Rows = 0;
    bool SameLength = true;  // every row as long as the first
    std::size_t Length = 0;  // the first row's
    std::string Problem;
    std::vector<double> Values;
    std::size_t Keep = 0;

    // Whether the rows are `outputs` rows of `inputs` values each.
    bool Fit(std::int64_t inputs, std::int64_t outputs) const {
        return Rows == static_cast<std::size_t>(outputs) &&
               (Rows == 0 || (SameLength && Length == static_cast<std::size_t>(inputs)));
    }
};

// The "history" list as it was read: its row count, the first refusal within its first
// kHistoryRows rows, and those rows.
struct HistoryRows {
    std::size_t Rows = 0;
    std::string Problem;
    std::vector<std::array<double, 2>> Values;
};

// The members a saved network has; any other is read, checked as JSON and dropped.
bool KnownMember(const std::string& name) {
    static const std::string kNames =
        " format version training_file inputs outputs patterns rule rate stop_at_max_epochs "
        "stop_at_min_error max_epochs run_epochs min_error print_interval order seed epochs "
        "total_sse last_change weights history ";
    return name.find(' ') == std::string::npos &&
           kNames.find(" " + name + " ") != std::string::npos;
}

// Takes in a state file value by value: the top-level members it knows (a list or object
// kept as its kind alone), the training file's name and digest, and the weights and history
// as numbers, so a file never takes more memory than its network and a fixed amount.
class StateEvents : public json::Events {
  public:
    explicit StateEvents(std::size_t keepWeights) { weights_.Keep = keepWeights; }

    void BeginObject(int depth) override { Open(Kind::kObject, depth); }
    void BeginArray(int depth) override { Open(Kind::kArray, depth); }
    void MemberName(const std::string& name, int depth) override {
        if (depth == 0)
            member_ = name;
        else if (depth == 1)
            inner_ = name;
    }
    void EndArray(int depth) override {
        if (depth != 2 || !Inside(Kind::kArray) || !rowIsList_)
            return;
        if (member_ == "weights") {
            if (weights_.Rows == 1)
                weights_.Length = rowLength_;
            else if (rowLength_ != weights_.Length)
                weights_.SameLength = false;
        } else if (member_ == "history") {
            EndHistoryRow();
        }
    }
    void Scalar(Value&& v, int depth) override { Place(std::move(v), depth); }

    const Value& Root() const { return root_; }
    const WeightRows& Weights() const { return weights_; }
    const HistoryRows& History() const { return history_; }

  private:
    // Whether the current top-level member's value is of `kind`.
    bool Inside(Kind kind) const {
        if (root_.Type != Kind::kObject)
            return false;
        const Value* v = root_.Find(member_);
        return v != nullptr && v->Type == kind;
    }
    void Keep(Value&& v) {
        if (root_.Type == Kind::kObject && KnownMember(member_))
            root_.Members[member_] = std::move(v);
    }
    void Open(Kind kind, int depth) {
        Value v;
        v.Type = kind;
        Place(std::move(v), depth);
    }
    // A value (or the start of a list or object) where the reading has got to.
    void Place(Value&& v, int depth) {
        if (depth == 0) {
            root_.Type = v.Type;
        } else if (depth == 1) {
            Keep(std::move(v));
        } else if (depth == 2) {
            Item(std::move(v));
        } else if (depth == 3 && Inside(Kind::kArray) && rowIsList_) {
            RowItem(std::move(v));
        }
    }
    // A value inside a top-level list or object.
    void Item(Value&& v) {
        if (Inside(Kind::kObject) && member_ == "training_file") {
            if (inner_ == "name" || inner_ == "sha256")
                root_.Members[member_].Members[inner_] = std::move(v);
            return;
        }
        if (!Inside(Kind::kArray))
            return;
        rowIsList_ = v.Type == Kind::kArray;
        rowLength_ = 0;
        if (member_ == "weights") {
            ++weights_.Rows;
            if (!rowIsList_ && weights_.Problem.empty())
                weights_.Problem = "\"weights\" holds a row that is not a list";
        } else if (member_ == "history") {
            ++history_.Rows;
            rowItems_.clear();
            if (!rowIsList_)
                HistoryProblem();
        }
    }
    // A value inside a row of a top-level list.
    void RowItem(Value&& v) {
        ++rowLength_;
        if (member_ == "weights") {
            std::string problem;
            const auto d = ListNumber(v, "weights", problem);
            if (!d) {
                if (weights_.Problem.empty())
                    weights_.Problem = problem;
            } else if (weights_.Values.size() < weights_.Keep) {
                weights_.Values.push_back(*d);
            }
        } else if (member_ == "history" && rowItems_.size() < 2) {
            v.Items.clear();
            rowItems_.push_back(std::move(v));
        }
    }
    void HistoryProblem() {
        if (history_.Problem.empty() && history_.Rows <= static_cast<std::size_t>(kHistoryRows))
            history_.Problem = "\"history\" holds a row that is not [epoch, total SSE]";
    }
    void EndHistoryRow() {
        if (history_.Rows > static_cast<std::size_t>(kHistoryRows) || !history_.Problem.empty())
            return;
        if (rowLength_ != 2)
            return HistoryProblem();
        std::array<double, 2> row{};
        for (std::size_t k = 0; k < 2; ++k) {
            const auto d = ListNumber(rowItems_[k], "history", history_.Problem);
            if (!d)
                return;
            row[k] = *d;
        }
        history_.Values.push_back(row);
    }

    Value root_;
    std::string member_;  // the top-level member being read
    std::string inner_;   // the member of a top-level object being read
    bool rowIsList_ = false;
    std::size_t rowLength_ = 0;
    std::vector<Value> rowItems_;  // a history row's first two values
    WeightRows weights_;
    HistoryRows history_;
};

// The counts a state file declares, from its first members: stops once both are read.
class DeclaredSizes : public json::Events {
  public:
    void MemberName(const std::string& name, int depth) override {
        if (depth == 0)
            member_ = name;
    }
    void BeginObject(int depth) override { rootIsObject_ = rootIsObject_ || depth == 0; }
    void Scalar(Value&& v, int depth) override {
        if (depth != 1 || !rootIsObject_)
            return;
        if (member_ == "inputs")
            inputs_ = Count(v);
        else if (member_ == "outputs")
            outputs_ = Count(v);
    }
    bool Done() const override { return inputs_ && outputs_; }
    std::int64_t Inputs() const { return inputs_.value_or(0); }
    std::int64_t Outputs() const { return outputs_.value_or(0); }

  private:
    static std::int64_t Count(const Value& v) {
        const auto n = json::ToInt64(v);
        return n && *n >= 0 && *n <= kMaxCount ? *n : 0;
    }
    std::string member_;
    bool rootIsObject_ = false;
    std::optional<std::int64_t> inputs_, outputs_;
};

// The state file's bytes, up to a limit, asking the stop check before every piece.
class StateFileSource : public json::ByteSource {
  public:
    StateFileSource(int fd, std::uint64_t limit, const StopCheck& stop)
        : fd_(fd), left_(limit), stop_(stop) {}
    long long Read(char* to, std::size_t most, int& error) override {
        if (stop_ && stop_()) {
            stopped_ = true;
            error = EINTR;
            return -1;
        }
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(most, left_));
        const long long got = n == 0 ? 0 : ReadSome(fd_, to, n, error);
        if (got > 0)
            left_ -= static_cast<std::uint64_t>(got);
        return got;
    }
    bool Stopped() const { return stopped_; }

  private:
    int fd_;
    std::uint64_t left_;
    const StopCheck& stop_;
    bool stopped_ = false;
};

// The most bytes a string or number in a state file may take, and the member names kept at
// once: far beyond any file this program writes, small next to any network.
constexpr std::size_t kLongestText = std::size_t{1} << 16;
constexpr std::size_t kNameBudget = std::size_t{1} << 20;

constexpr std::int64_t kInt32Max = 2147483647;
constexpr std::int64_t kInt32Min = -kInt32Max - 1;

// The settings and the record of a checked file, before the training file is looked at.
struct FileContents {
    std::string TrainingName;
    std::string Sha256;
    std::int64_t Inputs = 0, Outputs = 0, Patterns = 0;
    PublicStuff Settings;  // parameters, order, record and history
    RunMemory Run;
};

FileContents ReadMembers(const Value& root, const WeightRows& weights, const HistoryRows& history) {
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

    m.Get("weights", Kind::kArray, "a list");
    if (!weights.Problem.empty())
        throw Refusal{weights.Problem};
    m.Get("history", Kind::kArray, "a list");
    if (history.Rows > static_cast<std::size_t>(kHistoryRows))
        throw Refusal{"\"history\" has more than " + std::to_string(kHistoryRows) + " rows"};
    if (!history.Problem.empty())
        throw Refusal{history.Problem};
    s.SSECount = static_cast<std::int16_t>(history.Rows);
    for (std::size_t r = 0; r < history.Rows; ++r) {
        s.SSEHistory[r + 1][1] = history.Values[r][0];
        s.SSEHistory[r + 1][2] = history.Values[r][1];
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
    std::string out;
    // The network's text and the members around it.
    ReserveText(out, json::NetworkTextRoom(s) + 1024);
    out += "{\n  \"format\": ";
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
    AppendRows(out, s.Weights.NumOutputs(),
               static_cast<std::size_t>(s.Weights.NumInputs()) * (kLongestRoundTripText + 2) + 8,
               [&](std::string& text, int first, int end) {
                   for (int j = first; j < end; ++j) {
                       text += j == 1 ? "\n    [" : ",\n    [";
                       for (int i = 1; i <= s.Weights.NumInputs(); ++i) {
                           if (i > 1)
                               text += ", ";
                           json::AppendNumber(text, s.Weights.Weight(j, i));
                       }
                       text += ']';
                   }
               });
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

std::uint64_t LargestStateFileBytes(std::int64_t inputs, std::int64_t outputs) {
    const auto count = [](std::int64_t n) {
        return static_cast<std::uint64_t>(std::clamp<std::int64_t>(n, 0, kMaxCount));
    };
    const std::uint64_t numbers = count(inputs) * count(outputs) + 2 * kHistoryRows;
    return 64 * numbers + (std::uint64_t{1} << 20);
}

namespace {

std::string TrainingFileUnreadable(const std::string& training, const std::string& statePath,
                                   const std::string& problem) {
    return "The network cannot be saved to " + Quoted(statePath) + ": the training file " +
           Quoted(training) + " cannot be read (" + problem + ").";
}

// A name that can only mean a file in the state file's own folder.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

std::optional<std::string> SaveRefusedBeforeTraining(const std::string& trainingPath,
                                                     const std::string& statePath) {
    if (!output::IsStreamNotFile(trainingPath))
        return std::nullopt;
    return TrainingFileUnreadable(trainingPath, statePath, output::kStreamNotFileReason);
}

std::optional<std::string> SaveNetworkState(const PublicStuff& state, const RunMemory& run,
                                            const std::string& statePath,
                                            const output::WriteOptions& options,
                                            const StopCheck& stop) {
    const std::string training = state.TrainingFilePath;
    const std::string cannot = "The network cannot be saved to " + Quoted(statePath) + ": ";
    if (training.empty())
        return cannot + "no training file has been read.";
    if (state.Weights.NumInputs() != state.NumInputs ||
        state.Weights.NumOutputs() != state.NumOutputs)
        return cannot + "there is no network to save.";
    std::string problem;
    const auto sha = Sha256OfFile(training, problem, stop);
    if (!sha)
        return TrainingFileUnreadable(training, statePath, problem);
    // The file must still be what the pattern store was read from, or the saved network
    // would name a file it was never trained on.
    PublicStuff reread;
    bool stopped = false;
    const ReadProgress progress = [&](long long, long long) {
        stopped = stopped || (stop && stop());
        return !stopped;
    };
    const auto readProblem = ReadTrainingFile(reread, training, progress);
    if (stopped)
        return TrainingFileUnreadable(training, statePath, kInterrupted);
    if (readProblem || !SamePatterns(reread, state))
        return cannot + "the training file " + Quoted(training) +
               " has changed since it was read; open it again first.";
    if (const auto failure =
            output::WriteWhole(statePath, StateFileText(state, run, *sha), options))
        return cannot + failure->Reason() + ".";
    return std::nullopt;
}

LoadedNetwork LoadNetworkState(const std::string& statePath, const std::string& trainingPath,
                               const StopCheck& stop) {
    LoadedNetwork result;
    const std::string named = "The saved network " + Quoted(statePath);
    const auto interrupted = [&](const std::string& what) {
        result.Message = what + " was not read: interrupted.";
        result.Interrupted = true;
        return result;
    };
    std::string problem;
    const FileCloser file{OpenRegularFile(statePath, problem)};
    struct stat info {};
    if (file.fd >= 0 && ::fstat(file.fd, &info) != 0)
        problem = std::strerror(errno);
    if (file.fd < 0 || !problem.empty()) {
        result.Message = named + " cannot be read: " + problem + ".";
        return result;
    }

    // First the sizes the file declares, then its length against them, before it is parsed.
    json::StreamLimits limits;
    limits.TextBytes = kLongestText;
    limits.NameBytes = kNameBudget;
    json::ParseProblem parseProblem;
    int error = 0;
    DeclaredSizes sizes;
    {
        StateFileSource source(file.fd, static_cast<std::uint64_t>(info.st_size), stop);
        const auto scanned = json::ParseStream(source, sizes, parseProblem, error, limits);
        if (source.Stopped())
            return interrupted(named);
        if (scanned == json::StreamResult::kUnreadable) {
            result.Message = named + " cannot be read: " + std::strerror(error) + ".";
            return result;
        }
    }
    const std::uint64_t largest = LargestStateFileBytes(sizes.Inputs(), sizes.Outputs());
    if (static_cast<std::uint64_t>(info.st_size) > largest) {
        result.Message = named + " cannot be used: it is " + std::to_string(info.st_size) +
                         " bytes long, more than the " + std::to_string(largest) +
                         " bytes a network of its sizes can take.";
        return result;
    }
    if (::lseek(file.fd, 0, SEEK_SET) != 0) {
        result.Message = named + " cannot be read: " + std::strerror(errno) + ".";
        return result;
    }
    // A number takes two bytes at least, so the file's length bounds what it can hold.
    const std::size_t keep = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(sizes.Inputs() * sizes.Outputs()),
                                static_cast<std::uint64_t>(info.st_size) / 2));
    StateEvents events(keep);
    {
        StateFileSource source(file.fd, largest, stop);
        const auto parsed = json::ParseStream(source, events, parseProblem, error, limits);
        if (source.Stopped())
            return interrupted(named);
        if (parsed == json::StreamResult::kUnreadable) {
            result.Message = named + " cannot be read: " + std::strerror(error) + ".";
            return result;
        }
        if (parsed != json::StreamResult::kParsed) {
            result.Message = named + " is damaged or cut short: " + parseProblem.What + " (line " +
                             std::to_string(parseProblem.Line) + ").";
            return result;
        }
    }
    FileContents contents;
    try {
        CheckFormat(events.Root());
        contents = ReadMembers(events.Root(), events.Weights(), events.History());
    } catch (const Refusal& r) {
        result.Message = named + " cannot be used: " + r.Reason + ".";
        return result;
    }

    result.TrainingName = contents.TrainingName;
    std::string training = trainingPath;
    if (training.empty()) {
        if (!IsPlainFileName(contents.TrainingName)) {
            result.Message = named + " names its training file " + Quoted(contents.TrainingName) +
                             ", which is not a plain file name beside it.";
            result.WrongTrainingFile = true;
            result.NamedFileUnusable = true;
            return result;
        }
        training =
            (std::filesystem::path(statePath).parent_path() / contents.TrainingName).string();
    }
    const std::string trainingNamed =
        "The training file " + Quoted(training) + " of " + Quoted(statePath);
    const auto sha = Sha256OfFile(training, problem, stop);
    if (!sha) {
        if (problem == kInterrupted)
            return interrupted(trainingNamed);
        result.Message = trainingNamed + " cannot be read: " + problem + ".";
        result.WrongTrainingFile = true;
        result.NamedFileUnusable = trainingPath.empty();
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
    bool stopped = false;
    const ReadProgress progress = [&](long long, long long) {
        stopped = stopped || (stop && stop());
        return !stopped;
    };
    if (auto error = ReadTrainingFile(s, training, progress)) {
        if (stopped)
            return interrupted(trainingNamed);
        result.Message = error->Message;
        return result;
    }
    const auto sizesText = [](std::int64_t i, std::int64_t o, std::int64_t p) {
        return std::to_string(i) + " inputs, " + std::to_string(o) + " outputs and " +
               std::to_string(p) + " patterns";
    };
    const WeightRows& rows = events.Weights();
    const bool rowsFit = rows.Fit(s.NumInputs, s.NumOutputs);
    if (contents.Inputs != s.NumInputs || contents.Outputs != s.NumOutputs ||
        contents.Patterns != s.NumPatterns || !rowsFit ||
        rows.Values.size() !=
            static_cast<std::size_t>(s.NumInputs) * static_cast<std::size_t>(s.NumOutputs)) {
        result.Message = named + " does not fit " + Quoted(training) + ": it has " +
                         sizesText(contents.Inputs, contents.Outputs, contents.Patterns) +
                         (rowsFit ? "" : " (and weights of other sizes)") + ", the file " +
                         sizesText(s.NumInputs, s.NumOutputs, s.NumPatterns) + ".";
        return result;
    }
    s.TrainingFileName = contents.TrainingName;
    s.TrainingFilePath = training;
    s.ReallocateNetwork();
    std::size_t at = 0;
    for (int j = 1; j <= s.NumOutputs; ++j)
        for (int i = 1; i <= s.NumInputs; ++i)
            s.Weights.SetWeight(j, i, rows.Values[at++]);
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
