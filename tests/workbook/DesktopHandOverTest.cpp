// Handing workbooks to the desktop: new files in the program's folder, opened with the
// desktop's application, and the messages when either step fails.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/RunTimeError.h"
#include "reports/workbook/DesktopHandOver.h"
#include "reports/workbook/DesktopSpreadsheet.h"
#include "reports/workbook/SpreadsheetSummary.h"
#include "reports/workbook/WorkbookFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/workbook/SummaryFakes.h"
#include "tests/workbook/SummaryStates.h"

namespace mnemex {
namespace {

namespace fs = std::filesystem;
using testing::FakeOpener;
using testing::FormulaState;
using testing::RecordingFeedback;

// A fresh folder inside the running test's own temporary folder, removed when the test ends.
fs::path FreshFolder(const std::string& name) {
    const fs::path dir = mnemex::testsupport::TestScratchFolder() / ("handover-" + name);
    fs::create_directories(dir);
    return dir;
}

std::string Head(const fs::path& file, std::size_t n) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// The last line of a message whose lines are joined by CR.
std::string LastLine(const std::string& message) {
    return message.substr(message.find_last_of('\r') + 1);
}

TEST(DesktopHandOver, EachBuildOpensItsOwnNewWorkbookFile) {
    const fs::path folder = FreshFolder("two-builds") / "workbooks";
    FakeOpener opener;
    sheets::DesktopHandOver handOver{sheets::WorkbookFolder(folder.string()), opener};
    sheets::LocalSpreadsheetHost host(handOver);
    SpreadsheetState excel;
    RecordingFeedback feedback;
    PublicStuff state = FormulaState(2, 2, 3, 4);

    BuildSpreadsheetSummary(state, excel, host, feedback);
    BuildSpreadsheetSummary(state, excel, host, feedback);

    ASSERT_TRUE(feedback.Messages.empty()) << feedback.Messages[0];
    const std::vector<std::string> expected = {(folder / "Summary-1.xlsx").string(),
                                               (folder / "Summary-2.xlsx").string()};
    EXPECT_EQ(opener.Opened, expected);
    for (const std::string& file : expected)
        EXPECT_EQ(Head(file, 2), "PK") << file;  // an .xlsx file is a zip archive
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Nothing half-written is left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST(DesktopHandOver, FolderThatCannotBeMadeIsReportedByName) {
    const fs::path base = FreshFolder("blocked");
    const fs::path blocker = base / "not-a-folder";
    std::ofstream(blocker) << "x";
    const fs::path folder = blocker / "workbooks";
    FakeOpener opener;
    sheets::DesktopHandOver handOver{sheets::WorkbookFolder(folder.string()), opener};
    sheets::LocalSpreadsheetHost host(handOver);
    SpreadsheetState excel;
    RecordingFeedback feedback;
    PublicStuff state = FormulaState(2, 2, 3, 4);

    BuildSpreadsheetSummary(state, excel, host, feedback);

    ASSERT_EQ(feedback.Messages.size(), 1u);
    EXPECT_EQ(LastLine(feedback.Messages[0]), "The workbook could not be saved in the folder " +
                                                  folder.string() + ": Not a directory.");
    EXPECT_TRUE(opener.Opened.empty());
    EXPECT_EQ(excel.ExcelApp, nullptr);
    EXPECT_TRUE(feedback.Visible);
}

TEST(DesktopHandOver, FolderThatIsAFileIsRefused) {
    const fs::path base = FreshFolder("file-folder");
    const fs::path folder = base / "workbooks";
    std::ofstream(folder) << "x";
    EXPECT_THROW(sheets::WorkbookFolder(folder.string()).ReserveNewFile(), RunTimeException);
}

// A summary saved where no program opens it: the build succeeded, and the user is told
// plainly where the file is (no error to report), with the offer to show the folder.
struct UnopenedCase {
    const char* Title;
    bool CanAsk;             // the program can ask a question
    bool Yes;                // the answer to "Show the folder...?"
    bool FolderOpens;        // the desktop can show the folder
    int MessagesAfterwards;  // plain messages shown
};

void PrintTo(const UnopenedCase& c, std::ostream* os) {
    *os << c.Title;
}

class UnopenedWorkbook : public ::testing::TestWithParam<UnopenedCase> {};

TEST_P(UnopenedWorkbook, IsExplainedWithItsPathNotReportedAsAnError) {
    const UnopenedCase& c = GetParam();
    const fs::path folder = FreshFolder(std::string("no-opener-") + c.Title);
    FakeOpener opener;
    opener.Failure = "no application is set up to open this kind of file";
    DesktopSpreadsheet desktop(sheets::WorkbookFolder(folder.string()), opener);
    std::vector<std::string> questions;
    RecordingFeedback feedback;
    if (c.CanAsk) {
        feedback.OnQuestion = [&](const std::string& text) {
            questions.push_back(text);
            if (c.FolderOpens)
                opener.Failure.reset();
            return c.Yes;
        };
    }
    PublicStuff state = FormulaState(2, 2, 3, 4);

    desktop.BuildSummary(state, feedback);

    const std::string file = (folder / "Summary-1.xlsx").string();
    EXPECT_EQ(Head(file, 2), "PK");
    // The build itself went through: line cleared, bar hidden, application kept.
    EXPECT_EQ(feedback.Caption, "");
    EXPECT_FALSE(feedback.Visible);
    EXPECT_NE(desktop.State().ExcelApp, nullptr);
    const std::string explanation =
        "The spreadsheet summary was saved as\r" + file +
        "\r\rbut no program on this computer could open it: no application is set up to open "
        "this kind of file.\rYou can open the file from that folder with a spreadsheet program.";
    std::vector<std::string> expectedOpened{file};
    if (c.CanAsk) {
        EXPECT_EQ(questions,
                  std::vector<std::string>{explanation + "\r\rShow the folder that holds it?"});
        if (c.Yes)
            expectedOpened.push_back(folder.string());
    } else {
        EXPECT_EQ(feedback.Messages, std::vector<std::string>{explanation});
    }
    EXPECT_EQ(opener.Opened, expectedOpened);
    ASSERT_EQ(static_cast<int>(feedback.Messages.size()), c.MessagesAfterwards);
    for (const std::string& m : feedback.Messages)
        EXPECT_EQ(m.find("error with excel"), std::string::npos) << m;
    if (c.CanAsk && c.Yes && !c.FolderOpens) {
        EXPECT_EQ(feedback.Messages[0], "The folder " + folder.string() +
                                            " could not be shown: no application is set up "
                                            "to open this kind of file.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnopenedWorkbook,
    ::testing::Values(UnopenedCase{"NoQuestionPossible", false, false, false, 1},
                      UnopenedCase{"FolderNotWanted", true, false, false, 0},
                      UnopenedCase{"FolderShown", true, true, true, 0},
                      UnopenedCase{"FolderCannotBeShown", true, true, false, 1}),
    [](const ::testing::TestParamInfo<UnopenedCase>& info) { return info.param.Title; });

TEST(DesktopSpreadsheet, AnOpenedWorkbookAfterAnUnopenedOneRaisesNoQuestion) {
    const fs::path folder = FreshFolder("opened-later");
    FakeOpener opener;
    opener.Failure = "no application is set up to open this kind of file";
    DesktopSpreadsheet desktop(sheets::WorkbookFolder(folder.string()), opener);
    int questions = 0;
    RecordingFeedback feedback;
    feedback.OnQuestion = [&](const std::string&) {
        ++questions;
        return false;
    };
    PublicStuff state = FormulaState(2, 2, 3, 4);
    desktop.BuildSummary(state, feedback);
    opener.Failure.reset();  // a spreadsheet program was installed meanwhile
    desktop.BuildSummary(state, feedback);
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(feedback.Messages.empty());
}

TEST(DesktopHandOver, DefaultFolderIsPrivateToTheUserInTheTemporaryFolder) {
    const fs::path tmp = FreshFolder("tmpdir");
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old != nullptr ? old : "";
    setenv("TMPDIR", tmp.c_str(), 1);
    const sheets::WorkbookFolder folder;
    if (old != nullptr)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_EQ(folder.Path(), (tmp / ("mnemex-workbooks-" + std::to_string(geteuid()))).string());
}

TEST(DesktopSpreadsheet, BuildOpensTheWorkbookOnTheDesktopAndTidiesTheHub) {
    const fs::path folder = FreshFolder("desktop");
    FakeOpener opener;
    DesktopSpreadsheet desktop(sheets::WorkbookFolder(folder.string()), opener);
    SpreadsheetSummaryService& service = desktop;
    RecordingFeedback hub;
    PublicStuff state = FormulaState(2, 3, 4, 5);

    service.BuildSummary(state, hub);

    EXPECT_TRUE(hub.Messages.empty());
    EXPECT_EQ(hub.Caption, "");
    EXPECT_FALSE(hub.Visible);
    EXPECT_EQ(hub.Value, hub.Maximum);
    EXPECT_EQ(desktop.State().ExcelStarted, 1);
    EXPECT_EQ(opener.Opened, std::vector<std::string>{(folder / "Summary-1.xlsx").string()});
}

TEST(DesktopSpreadsheet, UnwritableFolderIsReportedOnceAndTheNextBuildSucceeds) {
    const fs::path base = FreshFolder("hub");
    std::ofstream(base / "file") << "x";
    FakeOpener opener;
    DesktopSpreadsheet desktop(sheets::WorkbookFolder((base / "file" / "sub").string()), opener);
    RecordingFeedback hub;
    PublicStuff state = FormulaState(2, 3, 4, 5);

    desktop.BuildSummary(state, hub);

    ASSERT_EQ(hub.Messages.size(), 1u);
    EXPECT_EQ(
        hub.Messages[0].rfind("This version of the code has encountered an error with excel.", 0),
        0u);
    EXPECT_EQ(hub.Caption, "Please be patient while the spreadsheet is built...");
    EXPECT_TRUE(hub.Visible);
    EXPECT_TRUE(opener.Opened.empty());

    // With a usable folder the next build succeeds and tidies the hub.
    DesktopSpreadsheet working(sheets::WorkbookFolder((base / "ok").string()), opener);
    working.BuildSummary(state, hub);
    EXPECT_EQ(hub.Messages.size(), 1u);
    EXPECT_EQ(hub.Caption, "");
    EXPECT_FALSE(hub.Visible);
    EXPECT_EQ(opener.Opened.size(), 1u);
}

struct OpenerCase {
    const char* Title;
    const char* Command;
    bool Opens;
};

void PrintTo(const OpenerCase& c, std::ostream* os) {
    *os << c.Title;
}

class XdgOpenerResults : public ::testing::TestWithParam<OpenerCase> {};

TEST_P(XdgOpenerResults, FailureOfTheOpenerIsReportedAndSuccessIsNot) {
    const OpenerCase& c = GetParam();
    const fs::path dir = FreshFolder(std::string("opener-") + c.Title);
    const fs::path script = dir / "opener.sh";
    std::ofstream(script) << "#!/bin/sh\n" << c.Command << "\n";
    fs::permissions(script, fs::perms::owner_all);
    sheets::XdgOpener opener(script.string(), 0.5);
    const auto failure = opener.Open((dir / "Summary-1.xlsx").string());
    EXPECT_EQ(!failure.has_value(), c.Opens) << failure.value_or("");
}

INSTANTIATE_TEST_SUITE_P(
    Openers, XdgOpenerResults,
    ::testing::Values(OpenerCase{"Succeeds", "exit 0", true},
                      OpenerCase{"NoApplication", "exit 3", false},
                      OpenerCase{"ActionFailed", "exit 4", false},
                      OpenerCase{"KeepsRunningWithTheApplication", "sleep 2; exit 0", true}),
    [](const ::testing::TestParamInfo<OpenerCase>& info) { return info.param.Title; });

TEST(XdgOpener, ItsOutputStaysOffTheTerminalAndItsLastLineIsTheReason) {
    const fs::path dir = FreshFolder("opener-noise");
    const fs::path script = dir / "opener.sh";
    std::ofstream(script)
        << "#!/bin/sh\n"
           "for i in 1 2 3 4 5 6 7 8; do echo \"looking for a browser $i\" >&2; done\n"
           "echo \"some output\"\n"
           "echo \"opener: no method available for opening '$1'\" >&2\n"
           "echo >&2\n"
           "exit 3\n";
    fs::permissions(script, fs::perms::owner_all);
    sheets::XdgOpener opener(script.string(), 2.0);
    const std::string file = (dir / "Summary-1.xlsx").string();
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const auto failure = opener.Open(file);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    const std::string complained = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "");
    EXPECT_EQ(complained, "");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure,
              "no application is set up to open this kind of file (opener: no method "
              "available for opening '" +
                  file + "')");
}

TEST(XdgOpener, MissingOpenerProgramIsReported) {
    sheets::XdgOpener opener("/nonexistent/mnemex-opener", 0.5);
    const auto failure = opener.Open("/tmp/x.xlsx");
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("/nonexistent/mnemex-opener"), std::string::npos);
}

}  // namespace
}  // namespace mnemex
