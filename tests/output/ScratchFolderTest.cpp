// The private folder where the spreadsheet and PDF writers make their files before the
// bytes go to the target.

#include "core/output/ScratchFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TempFolder.h"

namespace mnemex::output {
namespace {

namespace fs = std::filesystem;

// TMPDIR pointed at the running test's folder for as long as the object lives.
class TemporaryRootHere {
  public:
    TemporaryRootHere() {
        if (const char* old = std::getenv("TMPDIR"))
            old_ = old;
        ::setenv("TMPDIR", testsupport::TestScratchFolder().c_str(), 1);
    }
    ~TemporaryRootHere() {
        if (old_.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", old_.c_str(), 1);
    }

  private:
    std::string old_;
};

TEST(ScratchFolder, IsPrivateUnderTmpdirAndGoesWithEverythingInIt) {
    TemporaryRootHere root;
    std::string path;
    {
        const ScratchFolder scratch;
        ASSERT_EQ(scratch.Error(), 0);
        path = scratch.Path();
        EXPECT_EQ(fs::path(path).parent_path(), testsupport::TestScratchFolder());
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        testsupport::WriteBytes(scratch.File("book.xlsx"), "PK");
        testsupport::WriteBytes(scratch.File("rows/1.tmp"), "row");
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST(ScratchFolder, TwoAreNeverTheSame) {
    TemporaryRootHere root;
    const ScratchFolder a, b;
    EXPECT_NE(a.Path(), b.Path());
}

TEST(ScratchFolder, MissingTemporaryRootIsReported) {
    TemporaryRootHere root;
    ::setenv("TMPDIR", (testsupport::TestScratchFolder() / "gone").c_str(), 1);
    const ScratchFolder scratch;
    EXPECT_EQ(scratch.Error(), ENOENT);
}

TEST(ReadWholeFile, GivesEveryByteOrTheReason) {
    const std::string bytes = std::string("a\0b", 3) + std::string(200000, 'z');
    const std::string path = testsupport::WriteScratchFile("big.bin", bytes);
    int error = 0;
    EXPECT_EQ(ReadWholeFile(path, error), bytes);
    EXPECT_FALSE(ReadWholeFile(path + ".missing", error));
    EXPECT_EQ(error, ENOENT);
}

}  // namespace
}  // namespace mnemex::output
