// The removal tool carries out an installation log: every listed file goes, folders left empty
// go, and a log it cannot trust removes nothing at all.

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "InstallLog.h"
#include "Removal.h"
#include "TempTree.h"

namespace mnemex::removal {
namespace {
namespace fs = std::filesystem;

// An installation in "<tmp>/inst dir" with a few files, a sentinel beside the prefix and a
// stranger file inside it that no log lists.
class Installation : public ::testing::Test {
  protected:
    void SetUp() override {
        prefix = tree.root / "inst dir";
        logFile = prefix / "lib/mnemex/uninstall/ST6UNST.LOG";
        installed = {prefix / "bin/Mnemex", prefix / "share/mnemex/examples/and.net",
                     prefix / "lib/mnemex/system/ST6UNST.EXE", logFile};
        for (const auto& file : installed) {
            WriteFile(file, "installed");
        }
        WriteFile(tree.root / "sentinel.txt", "keep me");
        WriteFile(prefix / "share/other/keep.txt", "not ours");
    }
    void WriteLog(const std::vector<std::string>& extraLines = {}) {
        std::string text = std::string(kLogSignature) + "\n";
        for (const auto& file : installed) {
            text += file.string() + "\n";
        }
        for (const auto& line : extraLines) {
            text += line + "\n";
        }
        WriteFile(logFile, text);
    }
    bool AllInstalledStillThere() const {
        for (const auto& file : installed) {
            if (!fs::exists(file)) {
                return false;
            }
        }
        return true;
    }
    int RunTool(const QStringList& arguments) {
        QProcess tool;
        tool.start(QString::fromUtf8(MNEMEX_REMOVAL_TOOL), arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        toolOutput = QString::fromUtf8(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    TempTree tree;
    fs::path prefix;
    fs::path logFile;
    std::vector<fs::path> installed;
    QString toolOutput;
};

TEST_F(Installation, ToolRemovesEveryListedFileAndFoldersLeftEmpty) {
    WriteLog();
    EXPECT_EQ(RunTool({"-n", QString::fromStdString(logFile.string())}), 0)
        << toolOutput.toStdString();
    for (const auto& file : installed) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(file))) << file;
    }
    EXPECT_FALSE(fs::exists(prefix / "bin"));
    EXPECT_FALSE(fs::exists(prefix / "lib"));
    EXPECT_FALSE(fs::exists(prefix / "share/mnemex"));
    // Not listed: stays, and so does the folder that holds it and the prefix itself.
    EXPECT_EQ(ReadFile(prefix / "share/other/keep.txt"), "not ours");
    EXPECT_EQ(ReadFile(tree.root / "sentinel.txt"), "keep me");
    EXPECT_TRUE(toolOutput.contains("Mnemex has been removed (4 files)."));
}

TEST_F(Installation, ListedLinkIsRemovedButNotWhatItPointsTo) {
    const fs::path link = prefix / "bin/uninstall-Mnemex";
    fs::create_symlink(tree.root / "sentinel.txt", link);
    installed.push_back(link);
    WriteLog();
    const auto outcome = CarryOut(PlanRemoval(logFile));
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_EQ(ReadFile(tree.root / "sentinel.txt"), "keep me");
}

TEST_F(Installation, FilesAlreadyGoneAreCountedNotFailed) {
    WriteLog();
    fs::remove(prefix / "bin/Mnemex");
    const auto outcome = CarryOut(PlanRemoval(logFile));
    EXPECT_EQ(outcome.removed, 3);
    EXPECT_EQ(outcome.alreadyGone, 1);
    EXPECT_TRUE(outcome.failures.empty());
}

TEST_F(Installation, CommentsBlankLinesAndCrLfAreAccepted) {
    std::string text = std::string(kLogSignature) + "\r\n# a comment\r\n\r\n";
    for (const auto& file : installed) {
        text += file.string() + "\r\n";
    }
    WriteFile(logFile, text);
    const auto plan = PlanRemoval(logFile);
    EXPECT_EQ(plan.problem, "");
    EXPECT_EQ(plan.files.size(), installed.size());
}

// Each row is one bad line added to an otherwise good log; the whole log must be refused.
struct BadLine {
    const char* name;
    std::string (*line)(const fs::path& root, const fs::path& prefix);
    const char* reason;
};
void PrintTo(const BadLine& bad, std::ostream* os) {
    *os << bad.name;
}

class RefusedLine : public Installation, public ::testing::WithParamInterface<BadLine> {};

TEST_P(RefusedLine, NothingIsRemoved) {
    const fs::path outside = tree.root / "inst dir2";
    WriteFile(outside / "file", "neighbour");
    fs::create_directories(prefix / "share");
    fs::create_symlink(tree.root, prefix / "share/escape");
    WriteLog({GetParam().line(tree.root, prefix)});

    const auto plan = PlanRemoval(logFile);
    EXPECT_NE(plan.problem.find(GetParam().reason), std::string::npos) << plan.problem;
    EXPECT_TRUE(plan.files.empty());

    EXPECT_EQ(RunTool({"-n", QString::fromStdString(logFile.string())}), 1);
    EXPECT_TRUE(toolOutput.startsWith("Nothing was removed: line 6 of "))
        << toolOutput.toStdString();
    EXPECT_TRUE(AllInstalledStillThere());
    EXPECT_EQ(ReadFile(tree.root / "sentinel.txt"), "keep me");
    EXPECT_EQ(ReadFile(outside / "file"), "neighbour");
}

INSTANTIATE_TEST_SUITE_P(
    Log, RefusedLine,
    ::testing::Values(
        BadLine{"SystemFile",
                [](const fs::path&, const fs::path&) { return std::string("/etc/passwd"); },
                "outside the installation folder"},
        BadLine{
            "SentinelBesidePrefix",
            [](const fs::path& root, const fs::path&) { return (root / "sentinel.txt").string(); },
            "outside the installation folder"},
        BadLine{"NeighbourWithSameStart",
                [](const fs::path& root, const fs::path&) {
                    return (root / "inst dir2/file").string();
                },
                "outside the installation folder"},
        BadLine{"ClimbsOut",
                [](const fs::path&, const fs::path& prefix) {
                    return (prefix / "../sentinel.txt").string();
                },
                "not a plain file path"},
        BadLine{"Relative",
                [](const fs::path&, const fs::path&) { return std::string("bin/Mnemex"); },
                "not an absolute path"},
        BadLine{"ThroughLinkOut",
                [](const fs::path&, const fs::path& prefix) {
                    return (prefix / "share/escape/sentinel.txt").string();
                },
                "outside the installation folder"},
        BadLine{"PrefixItself",
                [](const fs::path&, const fs::path& prefix) { return prefix.string(); },
                "outside the installation folder"},
        BadLine{"Folder",
                [](const fs::path&, const fs::path& prefix) { return (prefix / "share").string(); },
                "names a folder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Installation, UnusableLogsRemoveNothing) {
    struct Case {
        std::string what;
        fs::path log;
        std::string reason;
    };
    WriteFile(tree.root / "ST6UNST.LOG", std::string(kLogSignature) + "\n" + installed[0].string());
    const std::vector<Case> cases = {
        {"missing log", logFile, "cannot be read"},
        {"log outside an uninstall folder", tree.root / "ST6UNST.LOG",
         "does not lie in the uninstall folder"},
        {"log without the signature", logFile, "is not a Mnemex installation log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.what == "missing log") {
            fs::remove(logFile);
        } else if (c.what == "log without the signature") {
            WriteFile(logFile, installed[0].string() + "\n");
        }
        const auto plan = PlanRemoval(c.log);
        EXPECT_NE(plan.problem.find(c.reason), std::string::npos) << plan.problem;
        EXPECT_EQ(RunTool({"-n", QString::fromStdString(c.log.string())}), 1);
        EXPECT_TRUE(fs::exists(installed[0]));
        EXPECT_TRUE(fs::exists(installed[1]));
    }
}

TEST(RemovalToolCommandLine, OtherFormsAreRejectedWithUsage) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"/x/lib/mnemex/uninstall/ST6UNST.LOG"},
          QStringList{"-x", "/x/lib/mnemex/uninstall/ST6UNST.LOG"}}) {
        QProcess tool;
        tool.start(QString::fromUtf8(MNEMEX_REMOVAL_TOOL), arguments);
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(tool.readAllStandardError().startsWith("usage: ST6UNST.EXE -n LOGFILE"));
    }
}

}  // namespace
}  // namespace mnemex::removal
