// The training session every front end drives: what a refused check leaves in each order,
// runs trained in slices against whole runs, what a run records for saving, and a network
// saved and opened again, which resumes to the bit or is refused whole.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/TrainingSession.h"
#include "core/output/OutputTarget.h"
#include "tests/core/BoundedWait.h"
#include "tests/core/TestNetworks.h"
#include "tests/support/LargeTrainingFile.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDisplay;

const std::string kExamples = MNEMEX_EXAMPLES_DIR;

// A session on a copy of an example, its network made.
struct Session {
    PublicStuff state;
    TrainingSession session{state};
    explicit Session(const std::string& net) {
        EXPECT_FALSE(session.OpenTrainingFile(net));
        EXPECT_EQ(session.FreshNetwork().Number, 0);
    }
};

RunSettings Settings(const std::string& rule, const std::string& epochs, bool permuted = false) {
    RunSettings s;
    s.Rule = rule;
    s.Entries.Epochs = epochs;
    s.Entries.LearningRate = "0.1";
    s.Entries.PrintEpochs = "3";
    s.Order = PatternOrder{permuted, 11};
    return s;
}

std::string CopyOfExample(const std::string& name) {
    const fs::path to = testsupport::TestScratchFolder() / name;
    fs::copy_file(kExamples + "/" + name, to, fs::copy_options::overwrite_existing);
    return to.string();
}

// ---------------------------------------------------------------------------------------
// Refused settings

struct Refusal {
    const char* Name;
    bool EpochTest, ErrorTest;
    const char* Epochs;
    const char* Rate;
    const char* Says;  // the one-line text
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.Name;
}

enum class Action { kStartClearFirst, kStartCheckFirst, kContinue };
const char* const kActionNames[] = {"StartClearFirst", "StartCheckFirst", "Continue"};

void PrintTo(Action action, std::ostream* os) {
    *os << kActionNames[static_cast<int>(action)];
}

class RefusedRun : public ::testing::TestWithParam<std::tuple<Refusal, Action>> {};

TEST_P(RefusedRun, TrainsNothingAndLeavesWhatItsOrderPromises) {
    const auto& [c, action] = GetParam();
    Session s(kExamples + "/dependent.net");
    RecordingDisplay shown;
    ASSERT_EQ(s.session.Start(Settings("Delta", "5"), shown).Outcome, RunOutcome::kFinished);
    const PublicStuff before = s.state;

    RunSettings bad = Settings("Hebb", c.Epochs, true);
    bad.Entries.EpochTest = c.EpochTest;
    bad.Entries.ErrorTest = c.ErrorTest;
    bad.Entries.LearningRate = c.Rate;
    bad.OnRefusal = action == Action::kStartCheckFirst ? RefusalLeaves::kNothingChanged
                                                       : RefusalLeaves::kClearedNetwork;
    RecordingDisplay refused;
    const SessionResult r = action == Action::kContinue ? s.session.Continue(bad, refused)
                                                        : s.session.Start(bad, refused);

    EXPECT_EQ(r.Outcome, RunOutcome::kRefused);
    EXPECT_EQ(RefusalText(r.Check), c.Says);
    EXPECT_EQ(refused.PanelsShown, 0);
    EXPECT_EQ(s.state.EpochCount, 5);
    EXPECT_EQ(s.state.MaxEpochs, before.MaxEpochs);  // nothing past the failed step is copied
    EXPECT_EQ(s.state.SSEHistory, before.SSEHistory);
    if (action == Action::kStartClearFirst)
        EXPECT_EQ(s.state.Weights.Storage(), std::vector<double>(before.Weights.Storage().size()));
    else
        EXPECT_EQ(s.state.Weights.Storage(), before.Weights.Storage());
    if (action == Action::kStartCheckFirst) {
        EXPECT_EQ(s.state.LearningRule, "Delta");
        EXPECT_FALSE(s.state.Order.Permuted);
        EXPECT_EQ(s.state.StopAtMaxEpochs, before.StopAtMaxEpochs);
        EXPECT_EQ(s.state.StopAtMinError, before.StopAtMinError);
        EXPECT_EQ(s.state.LearningRate, before.LearningRate);
        EXPECT_EQ(s.state.NewRun, before.NewRun);
        EXPECT_TRUE(s.session.HasTrainedNetwork());
    } else {
        // The order of the Start Training button: the check's first step has been taken.
        EXPECT_EQ(s.state.StopAtMaxEpochs, c.EpochTest ? 1 : 0);
        EXPECT_EQ(s.session.HasTrainedNetwork(), action == Action::kContinue);
    }
}

const Refusal kRefusals[] = {
    {"MaxEpochsZero", true, false, "0", "0.1",
     "Maximum Epochs: Maximum number of training epochs must be greater than zero."},
    {"NegativeEpochs", true, true, "-3", "0.1",
     "Maximum Epochs: Maximum number of training epochs must be greater than zero."},
    {"NoStoppingMethod", false, false, "10", "0.1",
     "No stopping method set: At least one box for method of ending training must be checked."},
    {"NegativeRate", true, false, "10", "-0.1", "Learning Rate: Learning rate cannot be negative"},
    {"RateNotANumber", true, false, "10", "fast", "the settings cannot be used: Type mismatch"},
    {"EpochsBeyond32Bits", true, false, "3000000000", "0.1",
     "the settings cannot be used: Overflow"},
};

std::string RefusedRunName(const ::testing::TestParamInfo<RefusedRun::ParamType>& info) {
    return std::string(std::get<0>(info.param).Name) +
           kActionNames[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Settings, RefusedRun,
                         ::testing::Combine(::testing::ValuesIn(kRefusals),
                                            ::testing::Values(Action::kStartClearFirst,
                                                              Action::kStartCheckFirst,
                                                              Action::kContinue)),
                         RefusedRunName);

// ---------------------------------------------------------------------------------------
// Slices and the record of a run

TEST(TrainingSession, RunTrainedInSlicesIsTheRunTrainedWhole) {
    for (const std::int64_t slice : {1, 4, 37, 1000}) {
        SCOPED_TRACE(slice);
        Session whole(kExamples + "/letters.net"), sliced(kExamples + "/letters.net");
        RecordingDisplay wholeShown, slicedShown;
        RunSettings settings = Settings("Delta", "37", true);
        settings.Entries.PrintEpochs = "5";
        ASSERT_EQ(whole.session.Start(settings, wholeShown).Outcome, RunOutcome::kFinished);

        ASSERT_EQ(sliced.session.PrepareStart(settings).Outcome, RunOutcome::kFinished);
        sliced.session.BeginRun(slicedShown);
        int slices = 1;
        while (!sliced.session.Advance(slice))
            ++slices;
        EXPECT_EQ(slices, (37 + slice - 1) / slice);
        const SessionResult r = sliced.session.Finished();
        EXPECT_EQ(r.Outcome, RunOutcome::kFinished);
        EXPECT_FALSE(sliced.session.Running());

        EXPECT_EQ(sliced.state.Weights.Storage(), whole.state.Weights.Storage());
        EXPECT_EQ(sliced.state.SSEHistory, whole.state.SSEHistory);
        ASSERT_EQ(slicedShown.Printouts.size(), wholeShown.Printouts.size());
        for (std::size_t k = 0; k < wholeShown.Printouts.size(); ++k)
            EXPECT_EQ(slicedShown.Printouts[k].Change, wholeShown.Printouts[k].Change);
        ASSERT_EQ(slicedShown.Finals.size(), 1u);
        EXPECT_EQ(slicedShown.Finals[0].Total, wholeShown.Finals[0].Total);
        EXPECT_EQ(sliced.session.LastRun().LastChange, whole.session.LastRun().LastChange);
    }
}

// The epochs entry as the progress bar and a saved network take it.
TEST(TrainingSession, EpochsEntryGivesTheProgressMaximumAndTheRunLength) {
    const struct {
        bool EpochTest;
        const char* Epochs;
        double Progress;    // single precision, 0 without the epoch test
        std::int32_t Kept;  // the run length saved, 0 when the entry holds none
    } cases[] = {
        {true, "40", 40.0, 40},        {true, "16777217", 16777216.0, 16777217},
        {false, "40", 0.0, 40},        {false, "many", 0.0, 0},
        {false, "3000000000", 0.0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Epochs);
        Session s(kExamples + "/dependent.net");
        RunSettings settings = Settings("Hebb", c.Epochs);
        settings.Entries.EpochTest = c.EpochTest;
        settings.Entries.ErrorTest = true;
        settings.Entries.MinError = "1e300";  // the error test ends the run at once
        settings.Entries.LearningRate = "0";
        ASSERT_EQ(s.session.PrepareStart(settings).Outcome, RunOutcome::kFinished);
        EXPECT_EQ(s.session.ProgressMaximum(), c.Progress);
        RecordingDisplay shown;
        ASSERT_EQ(s.session.Train(shown).Outcome, RunOutcome::kFinished);
        EXPECT_EQ(s.session.LastRun().RunEpochs, c.Kept);
    }
}

TEST(TrainingSession, FailedRunLeavesNoTrainedNetwork) {
    Session s(kExamples + "/letters.net");
    RunSettings settings = Settings("Delta", "400");
    settings.Entries.LearningRate = "5";
    RecordingDisplay shown;
    const SessionResult r = s.session.Start(settings, shown);
    EXPECT_EQ(r.Outcome, RunOutcome::kFailed);
    EXPECT_EQ(r.Error.Number, kOverflow);
    EXPECT_FALSE(s.session.HasTrainedNetwork());
    EXPECT_TRUE(shown.Finals.empty());
}

// ---------------------------------------------------------------------------------------
// Saved networks

struct Resume {
    const char* Name;
    const char* Rule;
    bool Permuted;
};

void PrintTo(const Resume& c, std::ostream* os) {
    *os << c.Name;
}

class ResumedRun : public ::testing::TestWithParam<Resume> {};

// 50 epochs saved and opened in another session, then 50 more with the saved settings,
// against one session that trains 50 and continues 50: the same network, the same bytes.
TEST_P(ResumedRun, EqualsOneRunContinuedToTheBit) {
    const Resume& c = GetParam();
    const std::string net = CopyOfExample("independent.net");
    const std::string half = (testsupport::TestScratchFolder() / "half.json").string();
    const std::string end = (testsupport::TestScratchFolder() / "end.json").string();

    Session one(net);
    RecordingDisplay shown;
    ASSERT_EQ(one.session.Start(Settings(c.Rule, "50", c.Permuted), shown).Outcome,
              RunOutcome::kFinished);
    ASSERT_FALSE(one.session.Save(half));
    RunSettings more;
    more.Entries = SettingsOf(one.state, one.session.LastRun()).Entries;
    ASSERT_EQ(one.session.Continue(more, shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(one.session.Save(end));

    Session other(kExamples + "/dependent.net");
    ASSERT_EQ(other.session.Start(Settings("Hebb", "3"), shown).Outcome, RunOutcome::kFinished);
    const LoadedNetwork loaded = other.session.Open(half, "");
    ASSERT_TRUE(loaded.Network) << loaded.Message;
    const NetworkSettings saved = SettingsOf(other.state, other.session.LastRun());
    EXPECT_EQ(saved.Rule, c.Rule);
    EXPECT_EQ(saved.Order.Permuted, c.Permuted);
    RunSettings resumed;
    resumed.Entries = saved.Entries;
    resumed.Rule = saved.Rule;
    resumed.Order = saved.Order;
    ASSERT_EQ(other.session.Continue(resumed, shown).Outcome, RunOutcome::kFinished);

    EXPECT_EQ(other.state.EpochCount, 100);
    EXPECT_EQ(other.state.Weights.Storage(), one.state.Weights.Storage());
    EXPECT_EQ(other.state.SSEHistory, one.state.SSEHistory);
    const std::string endBytes = testsupport::ReadBytes(end);
    ASSERT_FALSE(other.session.Save(end));
    EXPECT_EQ(testsupport::ReadBytes(end), endBytes);
}

INSTANTIATE_TEST_SUITE_P(RulesAndOrders, ResumedRun,
                         ::testing::Values(Resume{"HebbFileOrder", "Hebb", false},
                                           Resume{"DeltaFileOrder", "Delta", false},
                                           Resume{"HebbPermuted", "Hebb", true},
                                           Resume{"DeltaPermuted", "Delta", true}),
                         [](const ::testing::TestParamInfo<Resume>& info) {
                             return std::string(info.param.Name);
                         });

// A state file that cannot be used: what to do to a good one, the training file to give
// (empty: the one the state names, beside it) and a piece of the message.
struct RefusedState {
    const char* Name;
    std::string From;  // text in the good state file ...
    std::string To;    // ... replaced by this; From empty: To is the whole file, or half
    std::string Net;
    std::string Says;
};

void PrintTo(const RefusedState& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedOpen : public ::testing::TestWithParam<RefusedState> {};

TEST_P(RefusedOpen, NamesTheFileAndTheReasonAndChangesNothing) {
    const RefusedState& c = GetParam();
    const std::string net = CopyOfExample("dependent.net");
    const std::string path = (testsupport::TestScratchFolder() / "state.json").string();
    Session saver(net);
    RecordingDisplay shown;
    ASSERT_EQ(saver.session.Start(Settings("Delta", "50"), shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(saver.session.Save(path));
    std::string text = testsupport::ReadBytes(path);
    if (c.From.empty()) {
        text = c.To.empty() ? text.substr(0, text.size() / 2) : c.To;
    } else {
        const auto at = text.find(c.From);
        ASSERT_NE(at, std::string::npos) << c.From;
        text.replace(at, c.From.size(), c.To);
    }
    testsupport::WriteBytes(path, text);

    Session s(kExamples + "/dependent.net");
    ASSERT_EQ(s.session.Start(Settings("Hebb", "4"), shown).Outcome, RunOutcome::kFinished);
    const PublicStuff before = s.state;
    const RunMemory run = s.session.LastRun();
    const std::string given = c.Net.empty() || c.Net.front() == '/'
                                  ? c.Net
                                  : (testsupport::TestScratchFolder() / c.Net).string();
    const LoadedNetwork loaded = s.session.Open(path, given);

    EXPECT_FALSE(loaded.Network);
    EXPECT_NE(loaded.Message.find(path), std::string::npos) << loaded.Message;
    EXPECT_NE(loaded.Message.find(c.Says), std::string::npos) << loaded.Message;
    EXPECT_EQ(s.state.Weights.Storage(), before.Weights.Storage());
    EXPECT_EQ(s.state.EpochCount, 4);
    EXPECT_EQ(s.state.LearningRule, "Hebb");
    EXPECT_EQ(s.session.LastRun().RunEpochs, run.RunEpochs);
}

const std::string kWeightsStart = "\"weights\": [\n    [";
const std::string kTrainingName = "\"name\": \"dependent.net\"";

// An unknown member before "history" holding `text` as a string.
std::string UnknownText(std::size_t bytes) {
    return "\"unknown\": \"" + std::string(bytes, 'a') + "\", \"history\"";
}

// An unknown member before "history": an object of `count` members, each named differently.
std::string UnknownNames(int count) {
    std::string text = "\"unknown\": {";
    for (int k = 0; k < count; ++k)
        text += (k > 0 ? ", \"m" : "\"m") + std::to_string(k) + "\": 0";
    return text + "}, \"history\"";
}

INSTANTIATE_TEST_SUITE_P(
    LoadRefusals, RefusedOpen,
    ::testing::Values(
        RefusedState{"CutShort", "", "", "", "is damaged or cut short"},
        RefusedState{"OtherTrainingFileGiven", "\"version\"", "\"version\"",
                     kExamples + "/independent.net", "its SHA-256 differs"},
        RefusedState{"MissingTrainingFile", "\"version\"", "\"version\"", "missing.net",
                     "cannot be read: No such file or directory"},
        RefusedState{"NotJson", "", "{\"format\": x}", "", "is damaged or cut short"},
        RefusedState{"NewerVersion", "\"version\": 1", "\"version\": 2", "",
                     "saved in format version 2, newer than this program reads (1)"},
        RefusedState{"VersionZero", "\"version\": 1", "\"version\": 0", "",
                     "\"version\" is not a whole number from 1"},
        RefusedState{"NotASavedNetwork", "mnemex saved network", "something else", "",
                     "it is not a saved network"},
        RefusedState{"NoFormatMember", "", "{\"a\": 1}", "", "not a saved network"},
        RefusedState{"TotalSseBeyondDouble", "\"total_sse\": 0.", "\"total_sse\": 1e999, \"x\": 0.",
                     "", "\"total_sse\" holds a value that is not a finite number"},
        RefusedState{"WeightBeyondDouble", kWeightsStart, kWeightsStart + "-1e400, ", "",
                     "\"weights\" holds a value that is not a finite number"},
        RefusedState{"NaNWord", "\"total_sse\": 0.", "\"total_sse\": NaN, \"x\": 0.", "",
                     "is damaged or cut short"},
        RefusedState{"MoreInputsThanTheFile", "\"inputs\": 3", "\"inputs\": 4", "",
                     "it has 4 inputs, 2 outputs and 3 patterns, the file 3 inputs, 2 outputs "
                     "and 3 patterns"},
        RefusedState{"LongerWeightRow", kWeightsStart, kWeightsStart + "0, ", "",
                     "(and weights of other sizes)"},
        RefusedState{"RepeatedMember", "\"rate\"", "\"seed\": 1, \"rate\"", "",
                     "member \"seed\" appears twice"},
        RefusedState{"UnknownRule", "\"Delta\"", "\"delta\"", "",
                     "\"rule\" is neither \"Hebb\" nor \"Delta\""},
        // Larger than 64 bytes for each of 3 x 2 weights and 2000 history pairs, plus 1 MiB.
        RefusedState{"LargerThanItsSizesCallFor", "\"history\"", UnknownText(1304577), "",
                     "bytes long, more than the 1304960 bytes a network of its sizes can take"},
        RefusedState{"TextLongerThanTheReaderKeeps", "\"history\"", UnknownText(65537), "",
                     "is damaged or cut short: a text or number longer than 65536 bytes"},
        RefusedState{"MoreNamesThanTheReaderKeeps", "\"history\"", UnknownNames(20000), "",
                     "is damaged or cut short: more member names than the reader keeps"},
        // Without a training file given, the state's name must be a file beside it.
        RefusedState{"NameWithAFolder", kTrainingName, "\"name\": \"sub/dependent.net\"", "",
                     "names its training file \"sub/dependent.net\", which is not a plain file "
                     "name beside it"},
        RefusedState{"AbsoluteName", kTrainingName, "\"name\": \"/dependent.net\"", "",
                     "which is not a plain file name beside it"},
        RefusedState{"NameUpwards", kTrainingName, "\"name\": \"..\"", "",
                     "which is not a plain file name beside it"},
        RefusedState{"EmptyName", kTrainingName, "\"name\": \"\"", "",
                     "which is not a plain file name beside it"}),
    [](const ::testing::TestParamInfo<RefusedState>& info) {
        return std::string(info.param.Name);
    });

// The training file named in the state with another folder is still found when given.
TEST(OpenedState, NamingAFolderIsFineWhenTheTrainingFileIsGiven) {
    const std::string net = CopyOfExample("dependent.net");
    const std::string path = (testsupport::TestScratchFolder() / "state.json").string();
    Session saver(net);
    RecordingDisplay shown;
    ASSERT_EQ(saver.session.Start(Settings("Delta", "5"), shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(saver.session.Save(path));
    std::string text = testsupport::ReadBytes(path);
    text.replace(text.find(kTrainingName), kTrainingName.size(), "\"name\": \"../x.net\"");
    testsupport::WriteBytes(path, text);

    Session s(net);
    EXPECT_TRUE(s.session.Open(path, net).Network);
    EXPECT_EQ(s.state.TrainingFileName, "../x.net");
}

// A state file over many of the reader's pieces comes back to the bit, and one the program
// writes is always within the size its network allows.
TEST(OpenedState, LargeNetworkReadsBackToTheBit) {
    const fs::path net = testsupport::TestScratchFolder() / "large.net";
    testsupport::WriteLargeTrainingFile(net, 150, 120, 4);
    const std::string path = (testsupport::TestScratchFolder() / "large.json").string();
    Session saver(net.string());
    RecordingDisplay shown;
    ASSERT_EQ(saver.session.Start(Settings("Delta", "2"), shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(saver.session.Save(path));
    EXPECT_GT(fs::file_size(path), 4u << 16);
    EXPECT_LE(fs::file_size(path), LargestStateFileBytes(150, 120));

    Session s(kExamples + "/dependent.net");
    const LoadedNetwork loaded = s.session.Open(path, "");
    ASSERT_TRUE(loaded.Network) << loaded.Message;
    EXPECT_EQ(s.state.Weights.Storage(), saver.state.Weights.Storage());
    EXPECT_EQ(s.state.SSEHistory, saver.state.SSEHistory);
}

TEST(OpenedState, StopEndsTheReadingAndChangesNothing) {
    const std::string net = CopyOfExample("dependent.net");
    const std::string path = (testsupport::TestScratchFolder() / "state.json").string();
    Session s(net);
    RecordingDisplay shown;
    ASSERT_EQ(s.session.Start(Settings("Delta", "5"), shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(s.session.Save(path));
    ASSERT_EQ(s.session.Start(Settings("Hebb", "4"), shown).Outcome, RunOutcome::kFinished);
    const PublicStuff before = s.state;

    const LoadedNetwork loaded = s.session.Open(path, "", [] { return true; });
    EXPECT_FALSE(loaded.Network);
    EXPECT_TRUE(loaded.Interrupted);
    EXPECT_EQ(loaded.Message, "The saved network \"" + path + "\" was not read: interrupted.");
    EXPECT_EQ(s.state.Weights.Storage(), before.Weights.Storage());
    EXPECT_EQ(s.state.EpochCount, 4);
}

// ---------------------------------------------------------------------------------------
// Pipes and devices: never opened to hash, so nothing waits for a writer or reads for ever

enum class Special { kFifo, kZeroDevice };
struct SpecialOpen {
    const char* Name;
    Special What;
    bool Given;      // given as the training file; else the state's own name beside it
    bool StateFile;  // the state file itself is the special file
};

void PrintTo(const SpecialOpen& c, std::ostream* os) {
    *os << c.Name;
}

// Makes `what` at `path`; false when this user may not.
bool MakeSpecial(Special what, const fs::path& path) {
    if (what == Special::kFifo) {
        testsupport::MakeFifo(path);
        return true;
    }
    return testsupport::MakeCharacterDevice(path, {1, 5});  // endless zero bytes
}

class SpecialFileOpen : public ::testing::TestWithParam<SpecialOpen> {};

TEST_P(SpecialFileOpen, IsRefusedAtOnceAndChangesNothing) {
    const SpecialOpen& c = GetParam();
    const fs::path folder = testsupport::TestScratchFolder();
    const std::string net = CopyOfExample("dependent.net");
    fs::create_directory(folder / "beside");
    const std::string state = (folder / "beside" / "state.json").string();
    Session s(net);
    RecordingDisplay shown;
    ASSERT_EQ(s.session.Start(Settings("Delta", "5"), shown).Outcome, RunOutcome::kFinished);
    ASSERT_FALSE(s.session.Save(state));
    const PublicStuff before = s.state;

    const fs::path special = c.StateFile ? fs::path(state)
                             : c.Given   ? folder / "special.net"
                                         : folder / "beside" / "dependent.net";
    if (c.StateFile)
        fs::remove(special);
    if (!MakeSpecial(c.What, special))
        GTEST_SKIP() << "only root may make device nodes";
    const std::string training = c.Given ? special.string() : std::string();
    const LoadedNetwork loaded = testsupport::FinishesWithin(
        std::chrono::seconds(10), special, [&] { return s.session.Open(state, training); });

    EXPECT_FALSE(loaded.Network);
    const std::string named =
        c.StateFile ? "The saved network \"" + state + "\""
                    : "The training file \"" + special.string() + "\" of \"" + state + "\"";
    EXPECT_EQ(loaded.Message, named + " cannot be read: " + output::kStreamNotFileReason + ".");
    EXPECT_EQ(loaded.NamedFileUnusable, !c.Given && !c.StateFile);
    EXPECT_EQ(s.state.Weights.Storage(), before.Weights.Storage());
    EXPECT_EQ(s.state.SSEHistory, before.SSEHistory);
}

INSTANTIATE_TEST_SUITE_P(
    PipesAndDevices, SpecialFileOpen,
    ::testing::Values(SpecialOpen{"FifoGiven", Special::kFifo, true, false},
                      SpecialOpen{"FifoBesideTheState", Special::kFifo, false, false},
                      SpecialOpen{"ZeroDeviceGiven", Special::kZeroDevice, true, false},
                      SpecialOpen{"StateFileIsAFifo", Special::kFifo, true, true}),
    [](const ::testing::TestParamInfo<SpecialOpen>& info) { return std::string(info.param.Name); });

// A network trained on a pipe's patterns: saving would have to read the pipe again.
TEST(SpecialFileSave, TrainingFromAFifoIsRefusedBeforeTrainingAndNotWaitedFor) {
    const fs::path fifo = testsupport::TestScratchFolder() / "fifo.net";
    testsupport::MakeFifo(fifo);
    const std::string state = (testsupport::TestScratchFolder() / "state.json").string();
    const std::string refused = "The network cannot be saved to \"" + state +
                                "\": the training file \"" + fifo.string() + "\" cannot be read (" +
                                output::kStreamNotFileReason + ").";
    EXPECT_EQ(SaveRefusedBeforeTraining(fifo.string(), state), refused);
    EXPECT_FALSE(SaveRefusedBeforeTraining(kExamples + "/dependent.net", state));

    PublicStuff stuff;
    TrainingSession session(stuff);
    {
        testsupport::FifoFeeder feeder(fifo, testsupport::ReadBytes(kExamples + "/dependent.net"));
        ASSERT_FALSE(session.OpenTrainingFile(fifo.string()));
    }
    ASSERT_EQ(session.FreshNetwork().Number, 0);
    RecordingDisplay shown;
    ASSERT_EQ(session.Start(Settings("Delta", "5"), shown).Outcome, RunOutcome::kFinished);
    const auto failed = testsupport::FinishesWithin(std::chrono::seconds(10), fifo,
                                                    [&] { return session.Save(state); });
    EXPECT_EQ(failed, refused);
    EXPECT_FALSE(fs::exists(state));
}

}  // namespace
}  // namespace mnemex
