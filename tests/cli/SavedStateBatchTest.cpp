// Saving and resuming a network with the installed command: a run cut in two with
// --save-state and --load-state gives the very bytes of one run carried on with --continue,
// and a state file that cannot be used is refused with one line and exit status 2. Which
// state files are refused, and why, is the training session's to test.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/core/BoundedWait.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SpecialFiles.h"
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

void PrintTo(const Training& c, std::ostream* os) {
    *os << c.Name;
}

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

// A permuted order, so that the JSON's "order" of the resumed run is checked too.
INSTANTIATE_TEST_SUITE_P(
    PermutedDelta, ResumedRun,
    testing::Values(Training{"DeltaPermuted",
                             {"--rule", "delta", "--order", "permuted", "--seed", "5"}}),
    [](const testing::TestParamInfo<Training>& info) { return std::string(info.param.Name); });

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

void PrintTo(const Refused& c, std::ostream* os) {
    *os << c.Name;
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

INSTANTIATE_TEST_SUITE_P(
    LoadRefusals, RefusedState,
    testing::Values(Refused{"Truncated", "", "", "dependent.net", "is damaged or cut short"},
                    Refused{"DifferentTrainingFile", "\"version\"", "\"version\"", kOther,
                            "its SHA-256 differs"}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.Name); });

// A training file that is a pipe: saving the state would read it a second time to hash it,
// which waits for a writer for ever; refused before any training instead. (Opening a state
// on one is refused by the training session, before training too.)
TEST(PipedTrainingFile, WithSaveStateIsRefusedBeforeTrainingWithExitTwo) {
    const fs::path fifo = In("pipe.net");
    testsupport::MakeFifo(fifo);
    const testsupport::FifoFeeder feeder(fifo, ReadBytes(kExamples + "/dependent.net"));
    const ProgramRun run = testsupport::FinishesWithin(std::chrono::seconds(20), fifo, [&] {
        return Batch(fifo.string(), {"--epochs", "5", "--save-state", In("saved.json")});
    });
    ExpectExit(run, 2);
    EXPECT_EQ(run.Err, "mnemex-batch: The network cannot be saved to \"" + In("saved.json") +
                           "\": the training file \"" + fifo.string() +
                           "\" cannot be read (it is a pipe, device or socket, not a file).\n");
    EXPECT_EQ(run.Out, "");  // nothing trained
    EXPECT_FALSE(fs::exists(In("saved.json")));
}

}  // namespace
}  // namespace mnemex
