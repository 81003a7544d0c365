// The batch command as teachers and scripts use it: exit status, printed lines, JSON.

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "cli/JsonResult.h"

namespace mnemex::batch {
namespace {

const std::string kExamples = MNEMEX_EXAMPLES_DIR;

struct Outcome {
    int status;
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

// Every number in the text after `key`, in order.
std::vector<double> NumbersAfter(const std::string& text, const std::string& key) {
    std::vector<double> numbers;
    std::size_t k = text.find(key);
    if (k == std::string::npos)
        return numbers;
    k += key.size();
    const std::size_t end = text.find('"', k);  // up to the next key
    while (k < end && k < text.size()) {
        const char c = text[k];
        if ((c >= '0' && c <= '9') || c == '-') {
            double v = 0;
            auto r = std::from_chars(text.data() + k, text.data() + text.size(), v);
            numbers.push_back(v);
            k = static_cast<std::size_t>(r.ptr - text.data());
        } else {
            ++k;
        }
    }
    return numbers;
}

TEST(BatchCommand, DefaultsAreTheSetupPagesInitialSettings) {
    Outcome o = RunCommand({kExamples + "/independent.net"});
    EXPECT_EQ(o.status, kExitOk) << o.err;
    EXPECT_EQ(o.state.LearningRule, "Hebb");
    EXPECT_EQ(o.state.LearningRate, 0.1);
    EXPECT_EQ(o.state.EpochCount, 100);
    EXPECT_EQ(o.state.PrintInterval, 10);
    EXPECT_EQ(o.state.MinError, 0.05);
    EXPECT_EQ(o.state.SSECount, 11);
    EXPECT_EQ(o.out.rfind("Training: independent.net\nEpochs: 100\nTotal SSE: ", 0), 0u);
}

TEST(BatchCommand, JsonNumbersReadBackAsTheSameDoubles) {
    Outcome o = RunCommand({kExamples + "/dependent.net", "--rule", "delta", "--rate", "0.3",
                            "--json", "-", "--print-interval", "7"});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    const PublicStuff& s = o.state;
    std::vector<double> weights;
    for (int j = 1; j <= s.NumOutputs; ++j)
        for (int i = 1; i <= s.NumInputs; ++i)
            weights.push_back(s.Weights.Weight(j, i));
    EXPECT_EQ(NumbersAfter(o.json, "\"weights\":"), weights);
    std::vector<double> history;
    for (int r = 1; r <= s.SSECount; ++r) {
        history.push_back(s.SSEHistory[static_cast<std::size_t>(r)][1]);
        history.push_back(s.SSEHistory[static_cast<std::size_t>(r)][2]);
    }
    EXPECT_EQ(NumbersAfter(o.json, "\"history\":"), history);
    EXPECT_EQ(NumbersAfter(o.json, "\"total_sse\":"), std::vector<double>{s.TotalSSE});
    EXPECT_NE(o.json.find("\"rule\": \"Delta\""), std::string::npos);
    EXPECT_NE(o.json.find("\"file\": \"dependent.net\""), std::string::npos);
    EXPECT_NE(o.json.find("\"epochs\": 100"), std::string::npos);
    // Display lines went to the display stream, not into the JSON.
    EXPECT_EQ(o.json.front(), '{');
}

TEST(BatchCommand, JsonFileIsWrittenWhole) {
    const auto dir = std::filesystem::temp_directory_path() / "mnemex-cli-tests";
    std::filesystem::create_directories(dir);
    const auto path = (dir / "out.json").string();
    Outcome o = RunCommand({kExamples + "/orthogonal.net", "--json", path});
    ASSERT_EQ(o.status, kExitOk);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), JsonResult(o.state));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
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

TEST(BatchCommand, RefusedSettingsShowThePagesMessageAndExit2) {
    Outcome o = RunCommand({kExamples + "/orthogonal.net", "--epochs", "0"});
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_NE(o.err.find("Maximum number of training epochs must be greater than zero."),
              std::string::npos);
    Outcome rate = RunCommand({kExamples + "/orthogonal.net", "--rate", "-1"});
    EXPECT_EQ(rate.status, kExitUsage);
    EXPECT_NE(rate.err.find("Learning rate cannot be negative"), std::string::npos);
    Outcome word = RunCommand({kExamples + "/orthogonal.net", "--rate", "fast"});
    EXPECT_EQ(word.status, kExitUsage);
    EXPECT_NE(word.err.find("Type mismatch"), std::string::npos);
    EXPECT_EQ(word.state.EpochCount, 0);
}

TEST(BatchCommand, UnreadableTrainingFileExits2WithTheReason) {
    Outcome o = RunCommand({kExamples + "/no-such-file.net"});
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_NE(o.err.find("\"no-such-file.net\" cannot be opened"), std::string::npos);
}

TEST(BatchCommand, DivergenceExits1WithTheTrainingErrorMessage) {
    Outcome o = RunCommand({kExamples + "/letters.net", "--rule", "delta", "--rate", "5",
                            "--epochs", "100000", "--json", "-"});
    EXPECT_EQ(o.status, kExitTrainingError);
    EXPECT_NE(o.err.find("This version of the code has encountered an error.\n"),
              std::string::npos);
    EXPECT_NE(o.err.find("\nOverflow"), std::string::npos);
    EXPECT_TRUE(o.json.empty());
}

TEST(BatchCommand, InterruptStillWritesTheResultsSoFar) {
    // Only the error test, and a level that can never be reached: the run only ends on request.
    Outcome o = RunCommand(
        {kExamples + "/orthogonal.net", "--stop", "error", "--min-error", "-1", "--json", "-"},
        /*stopAtOnce=*/true);
    EXPECT_EQ(o.status, kExitOk);
    EXPECT_EQ(o.state.EpochCount, 1);
    EXPECT_NE(o.json.find("\"epochs\": 1"), std::string::npos);
}

TEST(BatchOptions, BadUsageIsExplained) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no training file given"},
        {{"a.net", "b.net"}, "only one training file"},
        {{"a.net", "--rule", "oja"}, "--rule must be hebb or delta"},
        {{"a.net", "--stop", "never"}, "--stop must be epochs, error or both"},
        {{"a.net", "--rate"}, "option --rate needs a value"},
        {{"a.net", "--colour", "red"}, "unknown option --colour"},
    };
    for (const auto& [args, message] : cases) {
        const ParseOutcome p = ParseBatchOptions(args);
        EXPECT_FALSE(p.Options);
        EXPECT_NE(p.Error.find(message), std::string::npos) << p.Error;
    }
}

}  // namespace
}  // namespace mnemex::batch
