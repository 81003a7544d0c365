// The Linux services behind the uninstaller: finding the tool in a tree, the command line the
// tool receives, and the folder this platform treats as the "Windows directory".

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <thread>

#include "LinuxOsServices.h"
#include "Public.h"
#include "TempTree.h"
#include "TreeSearch.h"

namespace mnemex::uninstall {
namespace {
namespace fs = std::filesystem;
using std::chrono::milliseconds;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

TEST(TreeSearch, FindsTheToolAtAnyDepthByItsExactName) {
    TempTree tree;
    WriteFile(tree.root / "a/b/c/ST6UNST.EXE", "tool");
    WriteFile(tree.root / "a/st6unst.exe", "other case");
    WriteFile(tree.root / "z/ST6UNST.EXE.bak", "other name");
    EXPECT_EQ(SearchTree(tree.root, "ST6UNST.EXE", milliseconds(10000)),
              tree.root / "a/b/c/ST6UNST.EXE");
    EXPECT_EQ(SearchTree(tree.root, "NOTHERE.EXE", milliseconds(10000)), fs::path());
}

TEST(TreeSearch, ShallowerMatchWinsAndFoldersAreNotMatches) {
    TempTree tree;
    WriteFile(tree.root / "a/b/ST6UNST.EXE", "deep");
    WriteFile(tree.root / "z/ST6UNST.EXE", "shallow");
    fs::create_directories(tree.root / "ST6UNST.EXE");  // a folder of that name is no tool
    EXPECT_EQ(SearchTree(tree.root, "ST6UNST.EXE", milliseconds(10000)),
              tree.root / "z/ST6UNST.EXE");
}

TEST(TreeSearch, DoesNotFollowSymbolicLinks) {
    TempTree tree;
    WriteFile(tree.root / "elsewhere/ST6UNST.EXE", "tool");
    fs::create_directories(tree.root / "searched");
    fs::create_directory_symlink(tree.root / "elsewhere", tree.root / "searched/link");
    fs::create_symlink(tree.root / "elsewhere/ST6UNST.EXE", tree.root / "searched/ST6UNST.EXE");
    fs::create_directory_symlink(tree.root / "searched", tree.root / "searched/loop");
    EXPECT_EQ(SearchTree(tree.root / "searched", "ST6UNST.EXE", milliseconds(10000)), fs::path());
}

TEST(TreeSearch, GivesUpWhenItsTimeIsOver) {
    TempTree tree;
    WriteFile(tree.root / "a/ST6UNST.EXE", "tool");
    EXPECT_EQ(SearchTree(tree.root, "ST6UNST.EXE", milliseconds(-1)), fs::path());
}

TEST(TreeSearch, MissingRootFindsNothing) {
    EXPECT_EQ(SearchTree("/no/such/folder/at/all", "ST6UNST.EXE", milliseconds(1000)), fs::path());
}

TEST(LinuxOsServices, WindowsDirectoryIsTheSystemFolderBesideTheUninstallFolder) {
    struct Placed : LinuxOsServices {
        QString AppFolder() override { return "/opt/my apps/lib/mnemex/uninstall"; }
    } os;
    EXPECT_EQ(os.GetWindowsDirectory(), "/opt/my apps/lib/mnemex/system");
}

TEST(LinuxOsServices, FileExistsOnlyForNormalFiles) {
    TempTree tree;
    WriteFile(tree.root / "file", "x");
    LinuxOsServices os;
    EXPECT_TRUE(os.FileExists(Q(tree.root / "file")));
    EXPECT_FALSE(os.FileExists(Q(tree.root)));
    EXPECT_FALSE(os.FileExists(Q(tree.root / "missing")));
}

TEST(LinuxOsServices, FindFileInTreeGivesThePathOrEmptyText) {
    TempTree tree;
    WriteFile(tree.root / "x/ST6UNST.EXE", "tool");
    LinuxOsServices os;
    EXPECT_EQ(FindFileInTree(os, Q(tree.root), "ST6UNST.EXE"), Q(tree.root / "x/ST6UNST.EXE"));
    EXPECT_EQ(FindFileInTree(os, Q(tree.root / "x"), "OTHER.EXE"), QString());
}

// The tool is started with both paths quoted, so blanks in folders reach it intact.
TEST(CommandLine, ToolReceivesBothPathsIntactThroughBlanksAndQuotes) {
    struct Case {
        const char* toolFolder;
        const char* logFolder;
    };
    for (const Case& c :
         {Case{"Windows", "Apps/Trainer"}, Case{"Program Files/sys tem", "My Apps/Mnemex 1"},
          Case{"tab\there", "it's $HOME & more"}}) {
        SCOPED_TRACE(c.toolFolder);
        TempTree tree;
        const fs::path tool = tree.root / c.toolFolder / "ST6UNST.EXE";
        fs::create_directories(tool.parent_path());
        fs::copy_file(MNEMEX_ARGUMENT_RECORDER, tool);
        const QString log = Q(tree.root / c.logFolder / "ST6UNST.LOG");

        const QString commandLine = BuildCommandLine(Q(tool), log);
        EXPECT_EQ(commandLine, QChar('"') + Q(tool) + "\" -n \"" + log + QChar('"'));

        LinuxOsServices os;
        ASSERT_TRUE(os.StartProgram(commandLine));
        const fs::path recorded = tool.parent_path() / "arguments.txt";
        for (int i = 0; i < 200 && !fs::exists(recorded); ++i) {
            std::this_thread::sleep_for(milliseconds(50));
        }
        EXPECT_EQ(ReadFile(recorded), "-n\n" + log.toStdString() + "\n");
    }
}

TEST(CommandLine, StartingAMissingProgramFails) {
    LinuxOsServices os;
    EXPECT_FALSE(os.StartProgram(BuildCommandLine("/no/such/ST6UNST.EXE", "/x/ST6UNST.LOG")));
}

}  // namespace
}  // namespace mnemex::uninstall
