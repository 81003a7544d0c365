// Saving and resuming a network with the installed command: a run cut in two with
// --save-state and --load-state gives the very bytes of one run carried on with --continue,
// and every state file that cannot be used is refused with one line and exit status 2.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

namespace fs = std::filesystem;
using testsupport::ProgramRun;
using testsupport::ReadBytes;

const std::string kProgram = MNEMEX_BATCH_PROGRAM;
const std::string kExamples = MNEMEX_EXAMPLES_DIR;

std::string In(const std::string& name) {
    return (testsupport::TestScratchFolder() / name).string();
}

ProgramRun Batch(const std::string& net, std::vector<std::string> options) {
    options.insert(options.begin(), net);
    return testsupport::RunProgram(kProgram, options);
}

void ExpectExit(const ProgramRun& run, int status) {
    ASSERT_TRUE(run.Exited) << "ended by signal " << run.Signal << "\n" << run.Err;
    EXPECT_EQ(run.Status, status) << run.Err;
}

struct Training {
    const char* Name;
    std::vector<std::string> Options;  // rule and order
};

class ResumedRun : public testing::TestWithParam<Training> {};

// 50 epochs, saved, resumed for 50 more, against 50 epochs and --continue 50: the JSON
// results and the state files saved at the end are the same bytes.
TEST_P(ResumedRun, EqualsOneRunContinuedByteForByte) {
    const std::string net = kExamples + "/independent.net";
    std::vector<std::string> first = GetParam().Options;
    first.insert(first.end(), {"--rate", "0.2", "--epochs", "50", "--save-state", In("50.json")});
    ExpectExit(Batch(net, first), 0);

    ExpectExit(Batch(net, {"--load-state", In("50.json"), "--epochs", "50", "--json",
                           In("resumed.json"), "--save-state", In("resumed.state.json")}),
               0);

    std::vector<std::string> whole = GetParam().Options;
    whole.insert(whole.end(), {"--rate", "0.2", "--epochs", "50", "--continue", "50", "--json",
                               In("continued.json"), "--save-state", In("continued.state.json")});
    ExpectExit(Batch(net, whole), 0);

    const std::string continued = ReadBytes(In("continued.json"));
    EXPECT_NE(continued.find("\"epochs\": 100"), std::string::npos) << continued;
    EXPECT_EQ(ReadBytes(In("resumed.json")), continued);
    EXPECT_EQ(ReadBytes(In("resumed.state.json")), ReadBytes(In("continued.state.json")));
    EXPECT_NE(ReadBytes(In("50.json")), ReadBytes(In("continued.state.json")));
}

INSTANTIATE_TEST_SUITE_P(
    RulesAndOrders, ResumedRun,
    testing::Values(
        Training{"HebbFileOrder", {"--rule", "hebb"}},
        Training{"DeltaFileOrder", {"--rule", "delta"}},
        Training{"HebbPermuted", {"--rule", "hebb", "--order", "permuted", "--seed", "5"}},
        Training{"DeltaPermuted", {"--rule", "delta", "--order", "permuted", "--seed", "5"}}),
    [](const testing::TestParamInfo<Training>& info) { return std::string(info.param.Name); });

// The seed really changes the order a resumed run presents: otherwise the permuted cases
// above would prove nothing beyond the file-order ones.
TEST(ResumedRunOrder, PermutedResumeDiffersFromFileOrderResume) {
    const std::string net = kExamples + "/independent.net";
    for (const char* order : {"file", "permuted"}) {
        ExpectExit(Batch(net, {"--rule", "delta", "--rate", "0.2", "--epochs", "3", "--order",
                               order, "--seed", "5", "--save-state", In(std::string(order))}),
                   0);
        ExpectExit(Batch(net, {"--load-state", In(order), "--epochs", "3", "--json",
                               In(std::string(order) + ".json")}),
                   0);
    }
    const std::string permuted = ReadBytes(In("permuted.json"));
    EXPECT_NE(permuted.find("\"order\": \"permuted\""), std::string::npos) << permuted;
    EXPECT_NE(ReadBytes(In("file.json")), permuted);
}

// A refused state file: what to do to a good one, the training file to give, and a piece
// of the one line on standard error.
struct Refused {
    const char* Name;
    std::string From;  // text in the good state file ...
    std::string To;    // ... replaced by this; From empty: keep the first half only
    std::string Net;   // the training file given, in the examples folder or the scratch folder
    std::string Says;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from << " is not in\n" << text;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class RefusedState : public testing::TestWithParam<Refused> {};

TEST_P(RefusedState, ExitsTwoWithOneLineAndWritesNothing) {
    const Refused& c = GetParam();
    const std::string trained = In("dependent.net");
    fs::copy_file(kExamples + "/dependent.net", trained);
    ExpectExit(Batch(trained, {"--rule", "delta", "--epochs", "50", "--save-state", In("good")}),
               0);
    const std::string good = ReadBytes(In("good"));
    const std::string bad =
        c.From.empty() ? good.substr(0, good.size() / 2) : Replaced(good, c.From, c.To);
    testsupport::WriteBytes(In("bad"), bad);

    const std::string net = c.Net.front() == '/' ? c.Net : In(c.Net);
    const ProgramRun run = Batch(
        net, {"--load-state", In("bad"), "--json", In("out.json"), "--save-state", In("again")});
    ExpectExit(run, 2);
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
    ASSERT_FALSE(run.Err.empty());
    EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;
    EXPECT_EQ(run.Err.rfind("mnemex-batch: ", 0), 0u) << run.Err;
    EXPECT_FALSE(fs::exists(In("out.json")));
    EXPECT_FALSE(fs::exists(In("again")));
}

const std::string kOther = kExamples + "/independent.net";
const std::string kWeightsStart = "\"weights\": [\n    [";

INSTANTIATE_TEST_SUITE_P(
    LoadRefusals, RefusedState,
    testing::Values(
        Refused{"DifferentTrainingFile", "\"version\"", "\"version\"", kOther,
                "its SHA-256 differs"},
        Refused{"MissingTrainingFile", "\"version\"", "\"version\"", "missing.net",
                "cannot be read: No such file or directory"},
        Refused{"Truncated", "", "", "dependent.net", "is damaged or cut short"},
        Refused{"NewerVersion", "\"version\": 1", "\"version\": 2", "dependent.net",
                "saved in format version 2, newer than this program reads (1)"},
        Refused{"VersionZero", "\"version\": 1", "\"version\": 0", "dependent.net",
                "\"version\" is not a whole number from 1"},
        Refused{"NotASavedNetwork", "mnemex saved network", "something else", "dependent.net",
                "it is not a saved network"},
        Refused{"TotalSseBeyondDouble", "\"total_sse\": 0.", "\"total_sse\": 1e999, \"x\": 0.",
                "dependent.net", "\"total_sse\" holds a value that is not a finite number"},
        Refused{"WeightBeyondDouble", kWeightsStart, kWeightsStart + "-1e400, ", "dependent.net",
                "\"weights\" holds a value that is not a finite number"},
        Refused{"NaNWord", "\"total_sse\": 0.", "\"total_sse\": NaN, \"x\": 0.", "dependent.net",
                "is damaged or cut short"},
        Refused{"MoreInputsThanTheFile", "\"inputs\": 3", "\"inputs\": 4", "dependent.net",
                "it has 4 inputs, 2 outputs and 3 patterns, the file 3 inputs, 2 outputs and 3 "
                "patterns"},
        Refused{"LongerWeightRow", kWeightsStart, kWeightsStart + "0, ", "dependent.net",
                "(and weights of other sizes)"},
        Refused{"RepeatedMember", "\"rate\"", "\"seed\": 1, \"rate\"", "dependent.net",
                "member \"seed\" appears twice"},
        Refused{"UnknownRule", "\"Delta\"", "\"delta\"", "dependent.net",
                "\"rule\" is neither \"Hebb\" nor \"Delta\""}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace mnemex
