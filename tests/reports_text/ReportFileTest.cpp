// Saving report files: names, whole writes and what stays on disk when a write fails.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ReportNetworks.h"
#include "reports/text/ReportFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SpecialFiles.h"

namespace mnemex::report {
namespace {

namespace fs = std::filesystem;
using reporttest::ReadBytes;
using reporttest::TestFolder;
using testsupport::DiskFullAfter;

struct NameCase {
    const char* answer;
    const char* name;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << '"' << c.answer << '"';
}

class ReportName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ReportName, GetsTheTxtExtensionUnlessItEndsInExactlyTxt) {
    EXPECT_EQ(ReportNameFromAnswer(GetParam().answer), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Answers, ReportName,
                         ::testing::Values(NameCase{"report", "report.txt"},
                                           NameCase{"report.TXT", "report.TXT.txt"},
                                           NameCase{"a.txt", "a.txt"}, NameCase{".txt", ".txt"},
                                           NameCase{"txt", "txt.txt"},
                                           NameCase{"run 1.net", "run 1.net.txt"}));

TEST(JoinPath, PutsOneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(JoinPath("/home/u", "a.txt"), "/home/u/a.txt");
    EXPECT_EQ(JoinPath("/", "a.txt"), "/a.txt");
}

// Names in the folder other than the report itself: leftovers of a failed save.
std::vector<std::string> OtherFiles(const std::string& folder, const std::string& keep) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != keep)
            names.push_back(entry.path().filename().string());
    return names;
}

TEST(WriteFileWhole, WritesExactlyTheBytesGiven) {
    const std::string folder = TestFolder();
    const std::string path = folder + "/r.txt";
    const std::string bytes = "a\r\r\nb\tc\r\n";
    WriteFileWhole(path, bytes);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_TRUE(OtherFiles(folder, "r.txt").empty());
}

TEST(WriteFileWhole, ReplacesAnExistingFileKeepingItsPermissions) {
    const std::string folder = TestFolder();
    const std::string path = folder + "/r.txt";
    std::ofstream(path) << "an older and much longer report";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileWhole(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

struct FailureCase {
    const char* name;
    // Prepares the failure in `folder` and returns the path to save to.
    std::string (*prepare)(const std::string& folder);
    const char* reason;  // part of the message
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WriteFailure, ExplainsAndLeavesTheDiskAsItWas) {
    const std::string folder = TestFolder();
    std::ofstream(folder + "/keep.txt") << "precious";
    const std::string path = GetParam().prepare(folder);
    try {
        WriteFileWhole(path, "report");
        FAIL() << "the save was reported as done";
    } catch (const FileOperationError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("The report could not be saved to:\r" + path), std::string::npos)
            << message;
        EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    }
    EXPECT_EQ(ReadBytes(folder + "/keep.txt"), "precious");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, WriteFailure,
    ::testing::Values(
        FailureCase{"MissingFolder",
                    [](const std::string& folder) { return folder + "/gone/r.txt"; },
                    "No such file or directory"},
        FailureCase{"FolderIsAFile",
                    [](const std::string& folder) { return folder + "/keep.txt/r.txt"; },
                    "Not a directory"},
        FailureCase{"ReadOnlySystemFolder",
                    [](const std::string&) { return std::string("/proc/mnemex-report.txt"); }, "."},
        FailureCase{"NameOfAFolder",
                    [](const std::string& folder) {
                        fs::create_directory(folder + "/sub");
                        return folder + "/sub";
                    },
                    "directory or device"},
        FailureCase{"Fifo",
                    [](const std::string& folder) {
                        testsupport::MakeFifo(folder + "/pipe");
                        return folder + "/pipe";
                    },
                    "directory or device"}),
    [](const auto& info) { return std::string(info.param.name); });

// The page never writes into a device, nor renames over one: a copy of the null device
// (which would take the report without complaint) is refused and stays a device.
TEST(WriteFileWhole, DeviceIsRefusedAndStaysADevice) {
    const std::string node = TestFolder() + "/null";
    if (!testsupport::MakeCharacterDevice(node, testsupport::kNullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    try {
        WriteFileWhole(node, "x");
        FAIL() << "the report was written into a device";
    } catch (const FileOperationError& e) {
        EXPECT_EQ(std::string(e.what()), "The report could not be saved to:\r" + node +
                                             "\rThat name belongs to a directory or device, "
                                             "not a file.");
    }
    struct stat st {};
    ASSERT_EQ(::stat(node.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(OtherFiles(TestFolder(), "null").empty());
}

// A link to a report is followed: the report it names is replaced, the link stays.
TEST(WriteFileWhole, LinkToAReportReplacesTheReportAndKeepsTheLink) {
    const std::string folder = TestFolder();
    std::ofstream(folder + "/real.txt") << "old";
    fs::create_symlink("real.txt", folder + "/latest.txt");
    WriteFileWhole(folder + "/latest.txt", "new");
    EXPECT_EQ(ReadBytes(folder + "/real.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(folder + "/latest.txt"));
    EXPECT_EQ(fs::read_symlink(folder + "/latest.txt"), "real.txt");
}

TEST(WriteFileWhole, DiskFullKeepsTheOldReportAndLeavesNoPartialFile) {
    const std::string folder = TestFolder();
    const std::string path = folder + "/r.txt";
    std::ofstream(path) << "the report saved yesterday";
    std::string message;
    {
        DiskFullAfter full(1000);
        try {
            WriteFileWhole(path, std::string(5000, 'x'));
        } catch (const FileOperationError& e) {
            message = e.what();
        }
    }
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_NE(message.find("Any file already there was left unchanged."), std::string::npos);
    EXPECT_EQ(ReadBytes(path), "the report saved yesterday");
    EXPECT_TRUE(OtherFiles(folder, "r.txt").empty());
}

TEST(CreateFolder, MakesTheFolder) {
    const std::string folder = TestFolder();
    CreateFolder(folder + "/new");
    EXPECT_TRUE(fs::is_directory(folder + "/new"));
}

TEST(CreateFolder, ExplainsAnExistingNameOrAMissingParent) {
    const std::string folder = TestFolder();
    fs::create_directory(folder + "/old");
    std::ofstream(folder + "/old/keep.txt") << "kept";
    try {
        CreateFolder(folder + "/old");
        FAIL() << "an existing folder was reported as created";
    } catch (const FileOperationError& e) {
        EXPECT_EQ(std::string(e.what()), "The directory could not be created:\r" + folder +
                                             "/old\rA file or directory of that name already "
                                             "exists.");
    }
    EXPECT_EQ(ReadBytes(folder + "/old/keep.txt"), "kept");
    EXPECT_THROW(CreateFolder(folder + "/missing/new"), FileOperationError);
}

}  // namespace
}  // namespace mnemex::report
