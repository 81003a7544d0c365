// The batch command as teachers and scripts use it: exit status, printed lines, and a JSON
// result whose numbers are worked out here independently (by hand for a one-weight network,
// by the literal training loops for an example file).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "core/json/StrictJson.h"
#include "tests/support/LiteralTrainer.h"
#include "tests/support/TempFolder.h"

namespace mnemex::batch {
namespace {

const std::string kExamples = MNEMEX_EXAMPLES_DIR;

struct Outcome {
    int status = -1;
    std::string out, err, json;
    PublicStuff state;
};

Outcome RunCommand(std::vector<std::string> args, bool stopAtOnce = false) {
    Outcome o;
    const ParseOutcome parsed = ParseBatchOptions(args);
    EXPECT_TRUE(parsed.Options) << parsed.Error;
    if (!parsed.Options)
        return o;
    std::ostringstream out, err, json;
    std::atomic<bool> stop{stopAtOnce};
    o.status = RunBatch(*parsed.Options, o.state, BatchStreams{out, err, json}, stop);
    o.out = out.str();
    o.err = err.str();
    o.json = json.str();
    return o;
}

// The result as the program's strict JSON reader reads it.
json::Value Parsed(const std::string& text) {
    json::ParseProblem problem;
    const auto value = json::Parse(text, problem);
    EXPECT_TRUE(value) << problem.What << " on line " << problem.Line << "\n" << text;
    return value.value_or(json::Value{});
}

// The member `name` of an object; a missing one fails the test and reads as null.
const json::Value& Member(const json::Value& object, const std::string& name) {
    static const json::Value kMissing;
    const json::Value* member = object.Find(name);
    EXPECT_NE(member, nullptr) << name;
    return member ? *member : kMissing;
}

double Number(const json::Value& value) {
    const auto number = json::ToDouble(value);
    EXPECT_TRUE(number) << value.Text;
    return number.value_or(std::nan(""));
}

std::vector<double> Numbers(const json::Value& array) {
    std::vector<double> numbers;
    for (const json::Value& item : array.Items)
        numbers.push_back(Number(item));
    return numbers;
}

// One input, one output, one pattern: input 1, desired output 1.
std::string OneWeightFile() {
    return testsupport::WriteScratchFile("tiny.net", "1, 0, 1, 1\n1\n1\n");
}

TEST(BatchCommand, DefaultsAreTheSetupPagesInitialSettings) {
    Outcome o = RunCommand({kExamples + "/independent.net"});
    EXPECT_EQ(o.status, kExitOk) << o.err;
    EXPECT_EQ(o.state.LearningRule, "Hebb");
    EXPECT_EQ(o.state.LearningRate, 0.1);
    EXPECT_EQ(o.state.EpochCount, 100);
    EXPECT_EQ(o.state.PrintInterval, 10);
    EXPECT_EQ(o.state.MinError, 0.05);
    EXPECT_EQ(o.state.SSECount, 11);  // epoch 0, then every tenth epoch
    EXPECT_EQ(o.out.rfind("Training: independent.net\nEpochs: 100\nTotal SSE: ", 0), 0u);
}

struct HandCase {
    const char* name;
    std::vector<std::string> options;
    double weight, totalSSE;
    std::vector<std::vector<double>> history;
};

void PrintTo(const HandCase& c, std::ostream* os) {
    *os << c.name;
}

class OneWeightJson : public ::testing::TestWithParam<HandCase> {};

// Worked out by hand: Hebb adds rate x 1 x 1 each epoch; Delta adds rate x (1 - weight).
// The error after each epoch is (1 - weight) squared.
TEST_P(OneWeightJson, HoldsTheHandWorkedNumbers) {
    std::vector<std::string> args{OneWeightFile(), "--print-interval", "1", "--json", "-"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const Outcome o = RunCommand(args);
    ASSERT_EQ(o.status, kExitOk) << o.err;
    const json::Value result = Parsed(o.json);
    EXPECT_EQ(Member(result, "file").Text, "tiny.net");
    EXPECT_EQ(Number(Member(result, "rate")), 0.5);
    EXPECT_EQ(Number(Member(result, "epochs")), static_cast<double>(GetParam().history.size() - 1));
    EXPECT_EQ(Number(Member(result, "total_sse")), GetParam().totalSSE);
    const std::vector<json::Value>& weights = Member(result, "weights").Items;
    ASSERT_EQ(weights.size(), 1u);
    EXPECT_EQ(Numbers(weights[0]), std::vector<double>{GetParam().weight});
    std::vector<std::vector<double>> history;
    for (const json::Value& row : Member(result, "history").Items)
        history.push_back(Numbers(row));
    EXPECT_EQ(history, GetParam().history);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, OneWeightJson,
    ::testing::Values(
        HandCase{"Hebb", {"--rate", "0.5", "--epochs", "2"}, 1.0, 0.0, {{0, 1}, {1, 0.25}, {2, 0}}},
        HandCase{"Delta",
                 {"--rule", "delta", "--rate", "0.5", "--epochs", "3"},
                 0.875,
                 0.015625,
                 {{0, 1}, {1, 0.25}, {2, 0.0625}, {3, 0.015625}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The numbers of a training file, in file order.
std::vector<double> FileNumbers(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    for (char& c : s)
        if (c == ',')
            c = ' ';
    std::istringstream numbers(s);
    std::vector<double> values;
    for (double v; numbers >> v;)
        values.push_back(v);
    return values;
}

TEST(BatchCommand, JsonMatchesTheLiteralTrainingLoopsBitForBit) {
    const std::string file = kExamples + "/dependent.net";
    const Outcome o = RunCommand(
        {file, "--rule", "delta", "--rate", "0.3", "--json", "-", "--print-interval", "7"});
    ASSERT_EQ(o.status, kExitOk) << o.err;

    const std::vector<double> v = FileNumbers(file);
    const int outputs = static_cast<int>(v[0]), inputs = static_cast<int>(v[2]),
              patterns = static_cast<int>(v[3]);
    const auto inputsEnd = v.begin() + 4 + inputs * patterns;
    testsupport::LiteralNet literal(inputs, outputs, patterns, {v.begin() + 4, inputsEnd},
                                    {inputsEnd, v.end()}, /*hebb=*/false, 0.3);
    literal.NewRun();
    std::vector<std::vector<double>> history{{0, literal.UntrainedSSE()}};
    for (int epoch = 1; epoch <= 100; ++epoch) {
        const double total = literal.Epoch();
        if (epoch % 7 == 0)
            history.push_back({static_cast<double>(epoch), total});
    }

    const json::Value result = Parsed(o.json);
    EXPECT_EQ(Member(result, "rule").Text, "Delta");
    EXPECT_EQ(Member(result, "file").Text, "dependent.net");
    EXPECT_EQ(Number(Member(result, "epochs")), 100);
    EXPECT_EQ(Number(Member(result, "total_sse")), literal.TotalSSE());
    const std::vector<json::Value>& weights = Member(result, "weights").Items;
    ASSERT_EQ(weights.size(), static_cast<std::size_t>(outputs));
    for (int j = 1; j <= outputs; ++j) {
        const std::vector<double> row = Numbers(weights[static_cast<std::size_t>(j - 1)]);
        ASSERT_EQ(row.size(), static_cast<std::size_t>(inputs)) << j;
        for (int i = 1; i <= inputs; ++i)
            EXPECT_EQ(row[static_cast<std::size_t>(i - 1)], literal.Weight(j, i)) << j << "," << i;
    }
    std::vector<std::vector<double>> written;
    for (const json::Value& row : Member(result, "history").Items)
        written.push_back(Numbers(row));
    EXPECT_EQ(written, history);
    // Display lines went to the display stream, not into the JSON.
    EXPECT_NE(o.out.find("Epochs: 100"), std::string::npos);
}

TEST(BatchCommand, JsonFileHoldsTheResultAndNothingElse) {
    const std::string path = (testsupport::TestScratchFolder() / "out.json").string();
    const Outcome o =
        RunCommand({OneWeightFile(), "--rate", "0.5", "--epochs", "2", "--json", path});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    const json::Value result = Parsed(testsupport::ReadBytes(path));
    EXPECT_EQ(Number(Member(result, "total_sse")), 0.0);
    const std::vector<json::Value>& weights = Member(result, "weights").Items;
    ASSERT_EQ(weights.size(), 1u);
    EXPECT_EQ(Numbers(weights[0]), std::vector<double>{1.0});
    EXPECT_TRUE(o.json.empty());
    std::size_t names = 0;
    for (const auto& entry : std::filesystem::directory_iterator(testsupport::TestScratchFolder()))
        names += entry.path().filename() != "tiny.net";
    EXPECT_EQ(names, 1u) << "a temporary file was left beside the result";
}

TEST(BatchCommand, ContinuingGivesTheSameWeightsAsOneLongRun) {
    Outcome twice = RunCommand({kExamples + "/letters.net", "--rule", "delta", "--rate", "0.01",
                                "--epochs", "30", "--continue", "20", "--continue", "10"});
    Outcome once = RunCommand(
        {kExamples + "/letters.net", "--rule", "delta", "--rate", "0.01", "--epochs", "60"});
    ASSERT_EQ(twice.status, kExitOk);
    EXPECT_EQ(twice.state.EpochCount, 60);
    EXPECT_EQ(twice.state.Weights.Storage(), once.state.Weights.Storage());
    EXPECT_EQ(twice.state.TotalSSE, once.state.TotalSSE);
    // One "Training: " line, one final display per run.
    EXPECT_EQ(twice.out.find("Training: "), twice.out.rfind("Training: "));
}

TEST(BatchCommand, UnreadableTrainingFileExits2WithTheReason) {
    Outcome o = RunCommand({kExamples + "/no-such-file.net"});
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_NE(o.err.find("\"no-such-file.net\" cannot be opened"), std::string::npos);
}

// The page's five-line message, joined into the one line a console shows per failure.
TEST(BatchCommand, DivergenceExits1WithTheTrainingErrorMessageOnOneLine) {
    Outcome o = RunCommand({kExamples + "/letters.net", "--rule", "delta", "--rate", "5",
                            "--epochs", "100000", "--json", "-"});
    EXPECT_EQ(o.status, kExitTrainingError);
    EXPECT_EQ(o.err.rfind("mnemex-batch: This version of the code has encountered an error. "
                          "It would be helpful",
                          0),
              0u)
        << o.err;
    EXPECT_EQ(o.err.substr(o.err.size() - std::string(" using: Overflow\n").size()),
              " using: Overflow\n");
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    EXPECT_TRUE(o.json.empty());
}

TEST(BatchCommand, InterruptStillWritesTheResultsSoFar) {
    // Only the error test, and a level that can never be reached: the run only ends on request.
    Outcome o = RunCommand(
        {kExamples + "/orthogonal.net", "--stop", "error", "--min-error", "-1", "--json", "-"},
        /*stopAtOnce=*/true);
    EXPECT_EQ(o.status, kExitOk);
    EXPECT_EQ(o.state.EpochCount, 1);
    EXPECT_EQ(Number(Member(Parsed(o.json), "epochs")), 1);
}

TEST(BatchOptions, BadUsageIsExplained) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no training file given"},
        {{"a.net", "b.net"}, "only one training file"},
        {{"a.net", "--rule", "oja"}, "--rule must be hebb or delta"},
        {{"a.net", "--stop", "never"}, "--stop must be epochs, error or both"},
        {{"a.net", "--stop", ""}, "--stop must be epochs, error or both"},
        {{"a.net", "--rate"}, "option --rate needs a value"},
        {{"a.net", "--continue"}, "option --continue needs a value"},
        {{"a.net", "--colour", "red"}, "unknown option --colour"},
        {{"a.net", "--"}, "unknown option --"},
        {{"a.net", "--epochs=5"}, "unknown option --epochs=5"},
        {{"a.net", "--sections", "all"}, "--sections needs --report"},
        // A typed line break never splits the one-line message.
        {{"a.net", "--rule", "he\nbb"}, "--rule must be hebb or delta, not \"he\\x0abb\""},
        {{"a.net", "--x\r"}, "unknown option --x\\x0d"},
    };
    for (const auto& [args, message] : cases) {
        const ParseOutcome p = ParseBatchOptions(args);
        EXPECT_FALSE(p.Options);
        EXPECT_NE(p.Error.find(message), std::string::npos) << p.Error;
    }
}

}  // namespace
}  // namespace mnemex::batch
