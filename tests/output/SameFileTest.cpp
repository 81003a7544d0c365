// Whether a result would land on the run's own input or on another result: every kind of
// name the rule tells apart, made inside the test's folder.

#include "core/output/SameFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"

namespace mnemex::output {
namespace {

namespace fs = std::filesystem;
using testsupport::TestScratchFolder;
using testsupport::WriteBytes;

// Makes what the names of one case stand for; false when this user may not (device nodes
// are root's).
using Setup = bool (*)(const fs::path& folder);

bool TwoFiles(const fs::path& f) {
    WriteBytes(f / "train.net", "1 1 1\n1 1\n");
    WriteBytes(f / "other.json", "{}");
    fs::create_directory(f / "sub");
    return true;
}
bool Links(const fs::path& f) {
    TwoFiles(f);
    fs::create_hard_link(f / "train.net", f / "hard.net");
    fs::create_symlink("train.net", f / "soft.net");
    fs::create_symlink("not-yet.json", f / "dangling.json");
    return true;
}
bool Fifo(const fs::path& f) {
    testsupport::MakeFifo(f / "pipe");
    fs::create_symlink("pipe", f / "pipe-link");
    return true;
}
bool Device(const fs::path& f) {
    return testsupport::MakeCharacterDevice(f / "null", testsupport::kNullDevice);
}

struct Case {
    const char* Name;
    Setup Make;
    const char* Output;  // in the test's folder; "-" as it is
    const char* Other;
    OtherName Role;
    bool NamesOnly;
    bool Same;
};
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.Name;
}

std::string Named(const char* name) {
    return std::string(name) == "-" ? name : (TestScratchFolder() / name).string();
}

class SameFileRule : public ::testing::TestWithParam<Case> {};

TEST_P(SameFileRule, TellsWhetherTheResultWouldLandOnTheOtherName) {
    const Case& c = GetParam();
    if (!c.Make(TestScratchFolder()))
        GTEST_SKIP() << "only root may make device nodes";
    EXPECT_EQ(SameFile(Named(c.Output), Named(c.Other), c.Role, c.NamesOnly), c.Same);
}

constexpr OtherName kIn = OtherName::kInput;
constexpr OtherName kOut = OtherName::kOutput;

INSTANTIATE_TEST_SUITE_P(
    Names, SameFileRule,
    ::testing::Values(
        Case{"TheTrainingFileItself", TwoFiles, "train.net", "train.net", kIn, false, true},
        Case{"AnotherSpellingOfIt", TwoFiles, "sub/../train.net", "train.net", kIn, false, true},
        Case{"AHardLinkToIt", Links, "hard.net", "train.net", kIn, false, true},
        Case{"ASymbolicLinkToIt", Links, "soft.net", "train.net", kIn, false, true},
        Case{"ADifferentFile", TwoFiles, "other.json", "train.net", kIn, false, false},
        Case{"ANewName", TwoFiles, "new.json", "train.net", kIn, false, false},
        Case{"TwoResultsOnOneNewName", TwoFiles, "sub/../new.json", "new.json", kOut, false, true},
        Case{"TwoResultsOnTwoNewNames", TwoFiles, "a.json", "b.json", kOut, false, false},
        Case{"ADanglingLinkAndWhereItEnds", Links, "dangling.json", "not-yet.json", kOut, false,
             true},
        Case{"TwoResultsOnOneExistingFile", Links, "soft.net", "hard.net", kOut, false, true},
        Case{"AFifoThatIsTheTrainingFile", Fifo, "pipe-link", "pipe", kIn, false, true},
        Case{"TwoResultsIntoOneFifo", Fifo, "pipe-link", "pipe", kOut, false, false},
        Case{"ADeviceThatIsTheTrainingFile", Device, "null", "null", kIn, false, false},
        Case{"TwoResultsOnTheStandardOutput", TwoFiles, "-", "-", kOut, false, false},
        Case{"TwoFilesNamedDash", TwoFiles, "-", "-", kOut, true, true}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace mnemex::output
