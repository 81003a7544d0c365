// The installed command writing its results where it is told: files, FIFOs, devices, the
// standard output under any of its names, and what a failure shows. Runs the real program,
// its standard output redirected into the test's folder; device nodes are made there too.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "core/json/StrictJson.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

namespace fs = std::filesystem;
using testsupport::ProgramRun;
using testsupport::ReadBytes;

const std::string kProgram = MNEMEX_BATCH_PROGRAM;
const std::string kNet = std::string(MNEMEX_EXAMPLES_DIR) + "/orthogonal.net";

std::string In(const std::string& name) {
    return (testsupport::TestScratchFolder() / name).string();
}

ProgramRun Batch(std::vector<std::string> options, const std::optional<std::string>& out = {}) {
    options.insert(options.begin(), kNet);
    return testsupport::RunProgram(kProgram, options, out);
}

bool IsJsonResult(const std::string& text) {
    json::ParseProblem problem;
    const auto value = json::Parse(text, problem);
    return value && value->Find("weights") != nullptr;
}

void ExpectEndedNormally(const ProgramRun& run, int status) {
    ASSERT_TRUE(run.Exited) << "ended by signal " << run.Signal << "\n" << run.Err;
    EXPECT_EQ(run.Status, status) << run.Err;
}

// "-", the standard output's own file named directly, a link such as /dev/stdout is (made
// here, to /proc/self/fd/1), and a second hard link: all are the standard output, so the
// file holds the JSON alone and the display lines go to standard error.
TEST(StandardOutputResult, EveryNameOfItGetsTheResultAloneAndDisplayLinesMoveAside) {
    const std::string stdoutFile = In("stdout.txt");
    fs::create_symlink("/proc/self/fd/1", In("stdout-link"));
    testsupport::WriteBytes(stdoutFile, "");
    fs::create_hard_link(stdoutFile, In("hard-link"));
    for (const std::string& name :
         {std::string("-"), stdoutFile, In("stdout-link"), In("hard-link")}) {
        SCOPED_TRACE(name);
        struct stat before {};
        ::stat(stdoutFile.c_str(), &before);
        const ProgramRun run = Batch({"--json", name}, stdoutFile);
        ExpectEndedNormally(run, 0);
        EXPECT_TRUE(IsJsonResult(ReadBytes(stdoutFile))) << ReadBytes(stdoutFile);
        EXPECT_NE(run.Err.find("Epochs: 100\n"), std::string::npos) << run.Err;
        struct stat after {};
        ::stat(stdoutFile.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << "the standard output was replaced";
        EXPECT_TRUE(fs::is_symlink(In("stdout-link")));
    }
}

TEST(StandardOutputResult, WithoutAResultThereTheDisplayLinesStay) {
    const ProgramRun run = Batch({"--json", In("r.json")});
    ExpectEndedNormally(run, 0);
    EXPECT_NE(run.Out.find("Epochs: 100\n"), std::string::npos);
    EXPECT_TRUE(IsJsonResult(ReadBytes(In("r.json"))));
}

TEST(StandardOutputResult, TwoResultsCannotShareIt) {
    const std::string stdoutFile = In("stdout.txt");
    const ProgramRun run = Batch({"--json", "-", "--report", stdoutFile}, stdoutFile);
    ExpectEndedNormally(run, 2);
    EXPECT_EQ(run.Err,
              "mnemex-batch: only one of --json, --report, --xlsx, --weights-csv, "
              "--weights-npy and --save-state may go to the standard output\n");
    EXPECT_EQ(ReadBytes(stdoutFile), "");
}

TEST(StreamResult, FifoGetsTheResultAndStaysAFifo) {
    testsupport::MakeFifo(In("pipe"));
    testsupport::BackgroundReader reader = testsupport::BackgroundReader::Fifo(In("pipe"));
    const ProgramRun run = Batch({"--json", In("pipe")});
    ExpectEndedNormally(run, 0);
    EXPECT_TRUE(IsJsonResult(reader.Take()));
    EXPECT_EQ(fs::status(In("pipe")).type(), fs::file_type::fifo);
}

struct FailureCase {
    const char* option;
    const char* message;  // what standard error starts with; the name and reason follow
};

// A copy of the full device: every result reports the name and the system's reason,
// exits 1, and the device is still a device.
TEST(StreamResult, FullDeviceIsReportedForEveryResult) {
    if (!testsupport::MakeCharacterDevice(In("full"), testsupport::kFullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    const std::string full = In("full");
    for (const FailureCase& c :
         {FailureCase{"--json", "mnemex-batch: the JSON result could not be written to \""},
          FailureCase{"--report", "mnemex-batch: the report could not be written to \""}}) {
        SCOPED_TRACE(c.option);
        const ProgramRun run = Batch({c.option, full});
        ExpectEndedNormally(run, 1);
        EXPECT_EQ(run.Err, c.message + full + "\": No space left on device\n");
        EXPECT_EQ(fs::status(full).type(), fs::file_type::character);
    }
    const ProgramRun run = Batch({"--xlsx", full});
    ExpectEndedNormally(run, 1);
    EXPECT_NE(
        run.Err.find("The workbook could not be written to " + full + ": No space left on device."),
        std::string::npos)
        << run.Err;
    EXPECT_EQ(fs::status(full).type(), fs::file_type::character);
}

TEST(StreamResult, FullDeviceAsStandardOutputIsReported) {
    if (!testsupport::MakeCharacterDevice(In("full"), testsupport::kFullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    const ProgramRun run = Batch({"--json", "-"}, In("full"));
    ExpectEndedNormally(run, 1);
    EXPECT_NE(
        run.Err.find("the JSON result could not be written to \"-\": No space left on device"),
        std::string::npos)
        << run.Err;
}

TEST(FileResult, FolderIsRefusedAndLeftAlone) {
    fs::create_directory(In("results"));
    testsupport::WriteBytes(In("results/old.json"), "kept");
    const ProgramRun run = Batch({"--json", In("results")});
    ExpectEndedNormally(run, 1);
    EXPECT_EQ(run.Err, "mnemex-batch: the JSON result could not be written to \"" + In("results") +
                           "\": Is a directory\n");
    EXPECT_EQ(ReadBytes(In("results/old.json")), "kept");
}

TEST(FileResult, LinkToAResultReplacesItsTarget) {
    testsupport::WriteBytes(In("runs/latest.json"), "old");
    fs::create_symlink("runs/latest.json", In("result.json"));
    const ProgramRun run = Batch({"--json", In("result.json")});
    ExpectEndedNormally(run, 0);
    EXPECT_TRUE(IsJsonResult(ReadBytes(In("runs/latest.json"))));
    EXPECT_TRUE(fs::is_symlink(In("result.json")));
}

// The option values that once ended the program with "terminate": now a status and a line
// (values the setup page would not read are refused too, before training).
TEST(OptionCrashes, ValuesTheSetupPageIgnoresOrRefusesNeverEndInASignal) {
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"--stop", "error", "--epochs", "abc", "--min-error", "1e9"}, 2},
        {{"--stop", "error", "--epochs", "1e999", "--min-error", "1e9"}, 2},
        {{"--stop", "error", "--continue", "abc", "--min-error", "1e9"}, 2},
        {{"--epochs", "1e999"}, 2},
        {{"--continue", "-1e999"}, 2},
        {{"--print-interval", "9e18"}, 2},
    };
    for (const auto& [options, status] : cases) {
        const ProgramRun run = Batch(options);
        ExpectEndedNormally(run, status);
        EXPECT_EQ(run.Err.find("terminate"), std::string::npos) << run.Err;
        if (status == 2) {
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        }
    }
}

}  // namespace
}  // namespace mnemex
