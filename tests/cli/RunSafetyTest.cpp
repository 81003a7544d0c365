// What a batch run checks before it trains and how it reports what goes wrong after: no
// result on the run's own input or on another result, every option value checked first,
// every requested result attempted, and one line per failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "cli/JsonResult.h"
#include "core/json/StrictJson.h"
#include "tests/support/TempFolder.h"

namespace mnemex::batch {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;

const std::string kExample = std::string(MNEMEX_EXAMPLES_DIR) + "/orthogonal.net";

std::string In(const std::string& name) {
    return (testsupport::TestScratchFolder() / name).string();
}

struct Outcome {
    int status = -1;
    std::string err;
    std::int32_t epochs = 0;  // trained in all
};

Outcome Batch(const std::vector<std::string>& args) {
    const ParseOutcome parsed = ParseBatchOptions(args);
    EXPECT_TRUE(parsed.Options) << parsed.Error;
    if (!parsed.Options)
        return {};
    std::ostringstream out, err, json;
    std::atomic<bool> stop{false};
    PublicStuff state;
    const int status = RunBatch(*parsed.Options, state, BatchStreams{out, err, json}, stop);
    return {status, err.str(), state.EpochCount};
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A copy of an example training file in the test's folder, which results may replace.
std::string TrainingFile() {
    const std::string net = In("train.net");
    fs::copy_file(kExample, net, fs::copy_options::overwrite_existing);
    return net;
}

// Results named as the training file or as each other: refused before training with one
// line, every file as it was.
struct Clash {
    const char* Name;
    std::vector<std::string> Options;  // "NET" stands for the training file
    const char* Says;
};
void PrintTo(const Clash& c, std::ostream* os) {
    *os << c.Name;
}

class ResultClash : public ::testing::TestWithParam<Clash> {};

TEST_P(ResultClash, IsRefusedBeforeTrainingAndLeavesEveryFile) {
    const std::string net = TrainingFile();
    fs::create_symlink(net, In("link.net"));
    const std::string before = ReadBytes(net);
    std::vector<std::string> args{net};
    for (const std::string& option : GetParam().Options)
        args.push_back(option == "NET" ? net : option.rfind("--", 0) == 0 ? option : In(option));
    const Outcome o = Batch(args);
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_EQ(o.epochs, 0);
    EXPECT_EQ(Lines(o.err), 1u) << o.err;
    EXPECT_NE(o.err.find(GetParam().Says), std::string::npos) << o.err;
    EXPECT_EQ(ReadBytes(net), before);
    EXPECT_FALSE(fs::exists(In("r.json")));
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResultClash,
    ::testing::Values(
        Clash{"JsonOnTheTrainingFile", {"--json", "NET"}, "--json would replace the training file"},
        Clash{"ReportOnTheTrainingFile", {"--report", "NET"}, "--report would replace"},
        Clash{"WorkbookThroughALink", {"--xlsx", "link.net"}, "--xlsx would replace"},
        Clash{"CsvOnTheTrainingFile", {"--weights-csv", "NET"}, "--weights-csv would replace"},
        Clash{"NpyOnTheTrainingFile", {"--weights-npy", "NET"}, "--weights-npy would replace"},
        Clash{"StateOnTheTrainingFile", {"--save-state", "NET"}, "--save-state would replace"},
        Clash{"JsonAndStateOnOneNewName",
              {"--json", "r.json", "--save-state", "r.json"},
              "--json and --save-state name the same file"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ResultClash, ResumingAndSavingOneStateIsAllowed) {
    const std::string net = TrainingFile();
    ASSERT_EQ(Batch({net, "--epochs", "3", "--save-state", In("s.json")}).status, kExitOk);
    const Outcome o = Batch({net, "--load-state", In("s.json"), "--save-state", In("s.json")});
    EXPECT_EQ(o.status, kExitOk) << o.err;
    EXPECT_NE(ReadBytes(In("s.json")).find("\"epochs\": 6"), std::string::npos);
    const Outcome json = Batch({net, "--load-state", In("s.json"), "--json", In("s.json")});
    EXPECT_EQ(json.status, kExitUsage);
    EXPECT_NE(json.err.find("--json would replace the saved state"), std::string::npos);
}

// Two results that cannot be written and one that can: both failures reported, one line
// each, the third written all the same.
TEST(FailedResults, NeverKeepTheOthersFromBeingWritten) {
    const Outcome o = Batch({kExample, "--save-state", In("missing/s.json"), "--weights-csv",
                             In("missing/w.csv"), "--json", In("r.json")});
    EXPECT_EQ(o.status, kExitTrainingError);
    EXPECT_EQ(Lines(o.err), 2u) << o.err;
    EXPECT_NE(o.err.find("The network cannot be saved"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("weights CSV file could not be written"), std::string::npos) << o.err;
    EXPECT_NE(ReadBytes(In("r.json")).find("\"weights\""), std::string::npos);
}

TEST(FailedResults, AWorkbookThatCannotBeWrittenIsOneLine) {
    fs::create_directory(In("folder.xlsx"));
    const Outcome o = Batch({kExample, "--xlsx", In("folder.xlsx")});
    EXPECT_EQ(o.status, kExitTrainingError);
    EXPECT_EQ(Lines(o.err), 1u) << o.err;
}

TEST(FailedResults, ANameWithALineBreakStaysOnOneLine) {
    const Outcome o = Batch({In("no\nsuch.net")});
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_EQ(Lines(o.err), 1u) << o.err;
    EXPECT_NE(o.err.find("no\\x0asuch.net"), std::string::npos) << o.err;
}

// Epochs that only a later run would find too many: refused before the first.
TEST(OptionValues, EpochsPastTheLastCountableEpochAreRefusedBeforeTraining) {
    const Outcome fresh = Batch({kExample, "--epochs", "2147483000", "--continue", "1000"});
    EXPECT_EQ(fresh.status, kExitUsage);
    EXPECT_EQ(fresh.epochs, 0);
    EXPECT_EQ(fresh.err,
              "mnemex-batch: --continue: 1000 more epochs would go past epoch 2147483647 "
              "(2147483000 trained before)\n");

    ASSERT_EQ(Batch({kExample, "--epochs", "3", "--save-state", In("s.json")}).status, kExitOk);
    std::string state = ReadBytes(In("s.json"));
    for (const std::string member : {"\"epochs\": ", "\"max_epochs\": "}) {
        const std::size_t at = state.find(member + "3,");
        ASSERT_NE(at, std::string::npos) << state;
        state.replace(at + member.size(), 1, "2147483600");
    }
    testsupport::WriteBytes(In("late.json"), state);
    const Outcome resumed = Batch(
        {kExample, "--load-state", In("late.json"), "--epochs", "100", "--json", In("r.json")});
    EXPECT_EQ(resumed.status, kExitUsage) << resumed.err;
    EXPECT_EQ(resumed.err,
              "mnemex-batch: --epochs: 100 more epochs would go past epoch 2147483647 "
              "(2147483600 trained before)\n");
    EXPECT_FALSE(fs::exists(In("r.json")));
}

TEST(OptionValues, AnOptionWithoutEffectGetsOneWarningLine) {
    const Outcome o = Batch({kExample, "--seed", "5", "--epochs", "2"});
    EXPECT_EQ(o.status, kExitOk);
    EXPECT_EQ(o.err, "mnemex-batch: warning: --seed has no effect without --order permuted\n");
}

// JSON text must be UTF-8: names in another encoding keep their valid characters, and each
// stray byte becomes U+FFFD.
struct Utf8Case {
    const char* Name;
    std::string Bytes;
    std::string Written;  // between the quotes
};
void PrintTo(const Utf8Case& c, std::ostream* os) {
    *os << c.Name;
}

class JsonNames : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(JsonNames, AreValidUtf8) {
    std::string out;
    AppendString(out, GetParam().Bytes);
    EXPECT_EQ(out, "\"" + GetParam().Written + "\"");
    json::ParseProblem problem;
    EXPECT_TRUE(json::Parse(out, problem)) << problem.What;
}

const std::string kFffd = "\xef\xbf\xbd";

INSTANTIATE_TEST_SUITE_P(
    Bytes, JsonNames,
    ::testing::Values(Utf8Case{"Accents", "caf\xc3\xa9.net", "caf\xc3\xa9.net"},
                      Utf8Case{"FourBytes", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
                      Utf8Case{"ByteFF", "l\xff.net", "l" + kFffd + ".net"},
                      Utf8Case{"Latin1", "caf\xe9.net", "caf" + kFffd + ".net"},
                      Utf8Case{"LoneContinuation", "\x80", kFffd},
                      Utf8Case{"CutShortAtTheEnd", "a\xe2\x82", "a" + kFffd + kFffd},
                      Utf8Case{"Overlong", "\xc0\xaf", kFffd + kFffd},
                      Utf8Case{"Surrogate", "\xed\xa0\x80", kFffd + kFffd + kFffd},
                      Utf8Case{"PastU10FFFF", "\xf4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd},
                      Utf8Case{"ControlStillEscaped", "a\nb", "a\\nb"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace mnemex::batch
