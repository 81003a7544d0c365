// Writing a finished result to the name given for it: what ends up on disk (or in the
// device, pipe or standard output) for every kind of name, and what a failure leaves.

#include "core/output/ResultFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <filesystem>
#include <set>

#include "core/output/OutputTarget.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"

namespace mnemex::output {
namespace {

namespace fs = std::filesystem;
using testsupport::BackgroundReader;
using testsupport::ReadBytes;
using testsupport::TestScratchFolder;
using testsupport::WriteBytes;

const std::string kResult = "{\"total_sse\": 0.25}\n";

std::string In(const std::string& name) {
    return (TestScratchFolder() / name).string();
}

// Every name in the test's folder: a failed or finished write leaves no temporary file.
std::set<std::string> Names() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(TestScratchFolder()))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t Mode(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// ---------------------------------------------------------------------------------------
// Files: replaced whole, permissions kept, links followed.

struct FileCase {
    const char* name;
    // Prepares the folder; returns the name to write to.
    std::string (*prepare)();
    const char* replaced;  // the file that must hold the result
    mode_t mode;           // its permissions afterwards (0: those of a new file)
    std::set<std::string> names;
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class ReplacingFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(ReplacingFiles, HoldExactlyTheResult) {
    const FileCase& c = GetParam();
    const std::string path = c.prepare();
    ASSERT_FALSE(WriteWhole(path, kResult));
    EXPECT_EQ(ReadBytes(In(c.replaced)), kResult);
    EXPECT_EQ(Mode(In(c.replaced)) & 07777, c.mode == 0 ? NewFileMode() : c.mode);
    EXPECT_EQ(Names(), c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ReplacingFiles,
    ::testing::Values(FileCase{"NewName", [] { return In("r.json"); }, "r.json", 0, {"r.json"}},
                      FileCase{"OlderLongerFile",
                               [] {
                                   WriteBytes(In("r.json"), std::string(5000, 'o'));
                                   fs::permissions(In("r.json"), fs::perms(0640));
                                   return In("r.json");
                               },
                               "r.json",
                               0640,
                               {"r.json"}},
                      FileCase{"ReadOnlyFile",
                               [] {
                                   WriteBytes(In("r.json"), "old");
                                   fs::permissions(In("r.json"), fs::perms(0444));
                                   return In("r.json");
                               },
                               "r.json",
                               0444,
                               {"r.json"}},
                      FileCase{"LinkToAFile",
                               [] {
                                   WriteBytes(In("real.json"), "old");
                                   fs::permissions(In("real.json"), fs::perms(0600));
                                   fs::create_symlink("real.json", In("link.json"));
                                   return In("link.json");
                               },
                               "real.json",
                               0600,
                               {"real.json", "link.json"}},
                      FileCase{"LinkToALinkInAnotherFolder",
                               [] {
                                   WriteBytes(In("sub/real.json"), "old");
                                   fs::create_symlink("real.json", In("sub/inner"));
                                   fs::create_symlink("sub/inner", In("outer"));
                                   return In("outer");
                               },
                               "sub/real.json",
                               0,
                               {"sub", "outer"}},
                      FileCase{"LinkToANameNotYetTaken",
                               [] {
                                   fs::create_symlink("made.json", In("link.json"));
                                   return In("link.json");
                               },
                               "made.json",
                               0,
                               {"made.json", "link.json"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplacingFiles, LongestNameIsWrittenWithoutLeftovers) {
    const std::string name(255, 'n');
    ASSERT_FALSE(WriteWhole(In(name), kResult));
    EXPECT_EQ(ReadBytes(In(name)), kResult);
    EXPECT_EQ(Names(), std::set<std::string>{name});
}

TEST(ReplacingFiles, LinkStaysALinkToTheSameFile) {
    WriteBytes(In("real.json"), "old");
    fs::create_symlink("real.json", In("link.json"));
    ASSERT_FALSE(WriteWhole(In("link.json"), kResult));
    EXPECT_TRUE(fs::is_symlink(In("link.json")));
    EXPECT_EQ(fs::read_symlink(In("link.json")), "real.json");
}

// ---------------------------------------------------------------------------------------
// Failures: reported with the system's reason; the old file and the folder as they were.

struct FailureCase {
    const char* name;
    std::string (*prepare)();  // returns the name to write to
    int error;
    const char* reason;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WriteFailures, AreReportedAndLeaveEverythingAsItWas) {
    WriteBytes(In("keep.json"), "precious");
    const std::string path = GetParam().prepare();
    const std::set<std::string> before = Names();
    const auto failed = WriteWhole(path, kResult);
    ASSERT_TRUE(failed) << "the result was reported as written";
    EXPECT_EQ(failed->Error, GetParam().error);
    EXPECT_EQ(failed->Reason(), GetParam().reason);
    EXPECT_EQ(ReadBytes(In("keep.json")), "precious");
    EXPECT_EQ(Names(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WriteFailures,
    ::testing::Values(FailureCase{"MissingFolder", [] { return In("gone/r.json"); }, ENOENT,
                                  "No such file or directory"},
                      FailureCase{"FileUsedAsFolder", [] { return In("keep.json/r.json"); },
                                  ENOTDIR, "Not a directory"},
                      FailureCase{"Folder",
                                  [] {
                                      fs::create_directory(In("sub"));
                                      WriteBytes(In("sub/inside"), "x");
                                      return In("sub");
                                  },
                                  EISDIR, "Is a directory"},
                      FailureCase{"LinkToAFolder",
                                  [] {
                                      fs::create_directory(In("sub"));
                                      fs::create_directory_symlink("sub", In("link"));
                                      return In("link");
                                  },
                                  EISDIR, "Is a directory"},
                      FailureCase{"LinkLoop",
                                  [] {
                                      fs::create_symlink("b", In("a"));
                                      fs::create_symlink("a", In("b"));
                                      return In("a");
                                  },
                                  ELOOP, "Too many levels of symbolic links"},
                      FailureCase{"EmptyName", [] { return std::string(); }, ENOENT,
                                  "No such file or directory"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteFailures, FullDiskKeepsTheOldFileAndRemovesTheTemporaryOne) {
    WriteBytes(In("r.json"), "the result of yesterday");
    std::optional<WriteFailure> failed;
    {
        testsupport::DiskFullAfter full(1000);
        failed = WriteWhole(In("r.json"), std::string(5000, 'x'));
    }
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Error, EFBIG);
    EXPECT_EQ(ReadBytes(In("r.json")), "the result of yesterday");
    EXPECT_EQ(Names(), std::set<std::string>{"r.json"});
}

// ---------------------------------------------------------------------------------------
// Devices, FIFOs and sockets: written straight through, never replaced.

bool IsKind(const std::string& path, mode_t kind) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

TEST(StraightThrough, FifoGetsTheBytesAndStaysAFifo) {
    testsupport::MakeFifo(In("pipe"));
    BackgroundReader reader = BackgroundReader::Fifo(In("pipe"));
    ASSERT_FALSE(WriteWhole(In("pipe"), kResult));
    EXPECT_EQ(reader.Take(), kResult);
    EXPECT_TRUE(IsKind(In("pipe"), S_IFIFO));
    EXPECT_EQ(Names(), std::set<std::string>{"pipe"});
}

TEST(StraightThrough, LinkToAFifoIsFollowedAndKept) {
    testsupport::MakeFifo(In("pipe"));
    fs::create_symlink("pipe", In("link"));
    BackgroundReader reader = BackgroundReader::Fifo(In("pipe"));
    ASSERT_FALSE(WriteWhole(In("link"), kResult));
    EXPECT_EQ(reader.Take(), kResult);
    EXPECT_TRUE(IsKind(In("link"), S_IFLNK));
    EXPECT_TRUE(IsKind(In("pipe"), S_IFIFO));
}

TEST(StraightThrough, SocketGetsTheBytesAndStaysASocket) {
    BackgroundReader reader = BackgroundReader::Socket(In("sock"));
    ASSERT_FALSE(WriteWhole(In("sock"), kResult));
    EXPECT_EQ(reader.Take(), kResult);
    EXPECT_TRUE(IsKind(In("sock"), S_IFSOCK));
}

TEST(StraightThrough, NullDeviceTakesEverythingAndStaysADevice) {
    if (!testsupport::MakeCharacterDevice(In("null"), testsupport::kNullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    EXPECT_FALSE(WriteWhole(In("null"), kResult));
    EXPECT_TRUE(IsKind(In("null"), S_IFCHR));
    EXPECT_EQ(Names(), std::set<std::string>{"null"});
}

TEST(StraightThrough, FullDeviceReportsNoSpaceAndStaysADevice) {
    if (!testsupport::MakeCharacterDevice(In("full"), testsupport::kFullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    const auto failed = WriteWhole(In("full"), kResult);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Error, ENOSPC);
    EXPECT_EQ(failed->Reason(), "No space left on device");
    EXPECT_TRUE(IsKind(In("full"), S_IFCHR));
    EXPECT_EQ(Names(), std::set<std::string>{"full"});
}

// Names chosen on a page only ever name files: everything else is refused untouched, and
// a FIFO without a reader does not make the page wait.
TEST(FilesOnly, DevicesPipesAndSocketsAreRefusedUntouched) {
    WriteOptions filesOnly;
    filesOnly.FilesOnly = true;
    testsupport::MakeFifo(In("pipe"));
    BackgroundReader socket = BackgroundReader::Socket(In("sock"));
    std::vector<std::string> targets{In("pipe"), In("sock")};
    if (testsupport::MakeCharacterDevice(In("null"), testsupport::kNullDevice))
        targets.push_back(In("null"));
    for (const std::string& target : targets) {
        const auto failed = WriteWhole(target, kResult, filesOnly);
        ASSERT_TRUE(failed) << target;
        EXPECT_EQ(failed->Kind, FailureKind::kNotAFile) << target;
    }
    EXPECT_TRUE(IsKind(In("pipe"), S_IFIFO));
    EXPECT_TRUE(IsKind(In("sock"), S_IFSOCK));
    const auto folder = WriteWhole(TestScratchFolder().string(), kResult, filesOnly);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->Kind, FailureKind::kFolder);
}

// ---------------------------------------------------------------------------------------
// The standard output: "-" and every other name of the same open file.

// A file standing in for the standard output: open for writing, with some text already
// written through the descriptor, as a shell's "> file" leaves it after earlier output.
class StandardOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        fd_ = ::open(In("stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd_, 0);
        ASSERT_EQ(::write(fd_, "earlier\n", 8), 8);
        ::fstat(fd_, &before_);
    }
    void TearDown() override { ::close(fd_); }
    WriteOptions Options() const {
        WriteOptions options;
        options.StandardOutputFd = fd_;
        return options;
    }
    // The result went through the descriptor: after the earlier text, in the same file.
    void ExpectWrittenThroughTheDescriptor() const {
        EXPECT_EQ(ReadBytes(In("stdout.txt")), "earlier\n" + kResult);
        struct stat after {};
        ::stat(In("stdout.txt").c_str(), &after);
        EXPECT_EQ(after.st_ino, before_.st_ino) << "the file was replaced, not written";
    }
    int fd_ = -1;
    struct stat before_ {};
};

TEST_F(StandardOutput, DashMeansTheStandardOutput) {
    EXPECT_TRUE(IsStandardOutput("-", fd_));
    ASSERT_FALSE(WriteWhole("-", kResult, Options()));
    ExpectWrittenThroughTheDescriptor();
}

TEST_F(StandardOutput, AnyOtherNameOfTheSameFileIsWrittenAsDash) {
    fs::create_symlink("/proc/self/fd/" + std::to_string(fd_), In("stdout-link"));
    fs::create_hard_link(In("stdout.txt"), In("hard"));
    for (const std::string& name : {In("stdout.txt"), In("stdout-link"), In("hard")}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(IsStandardOutput(name, fd_));
    }
    ASSERT_FALSE(WriteWhole(In("stdout-link"), kResult, Options()));
    ExpectWrittenThroughTheDescriptor();
    EXPECT_TRUE(IsKind(In("stdout-link"), S_IFLNK));
}

TEST_F(StandardOutput, WithoutADescriptorOnlyDashMeansIt) {
    EXPECT_FALSE(IsStandardOutput(In("stdout.txt"), -1));
    std::string taken;
    WriteOptions options;
    options.StandardOutputFd = -1;
    options.WriteStandardOutput = [&taken](std::string_view bytes) {
        taken.append(bytes);
        return 0;
    };
    ASSERT_FALSE(WriteWhole("-", kResult, options));
    EXPECT_EQ(taken, kResult);
}

TEST(StandardOutputErrors, ClosedPipeIsReportedWithoutEndingTheProgram) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    WriteOptions options;
    options.StandardOutputFd = ends[1];
    const auto failed = WriteWhole("-", kResult, options);
    ::close(ends[1]);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Error, EPIPE);
    EXPECT_EQ(failed->Reason(), "Broken pipe");
}

TEST(StandardOutputErrors, FullDeviceAsStandardOutputIsReported) {
    if (!testsupport::MakeCharacterDevice(In("full"), testsupport::kFullDevice))
        GTEST_SKIP() << "only root may make device nodes";
    const int fd = ::open(In("full").c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    WriteOptions options;
    options.StandardOutputFd = fd;
    const auto failed = WriteWhole(In("full"), kResult, options);  // another name of it
    ::close(fd);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Error, ENOSPC);
}

}  // namespace
}  // namespace mnemex::output
