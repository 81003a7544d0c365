// The summary build as the hub runs it: milestones, the workbook it leaves, the
// application it uses, and the messages of a failing build.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "core/RunTimeError.h"
#include "reports/workbook/ExcelStuff.h"
#include "reports/workbook/SpreadsheetSummary.h"
#include "tests/workbook/SummaryFakes.h"
#include "tests/workbook/SummaryStates.h"

namespace mnemex {
namespace {

using sheets::ValueKind;
using testing::FormulaState;
using testing::KeepingHandOver;
using testing::RecordingFeedback;

const char kCR = '\r';

std::string GeneralFailureText(const std::string& lastLine) {
    return std::string("This version of the code has encountered an error with excel.") + kCR +
           "It would be helpful if you could report this error to " + kMaintainerAddress + kCR +
           "Please include the following error message as well as" + kCR +
           "where the error occured and what version of windows you are using:" + kCR + lastLine;
}

std::vector<std::string> TabNames(const sheets::Workbook& book) {
    std::vector<std::string> names;
    for (int k = 0; k < book.SheetCount(); ++k)
        names.push_back(book.SheetAt(k).Name());
    return names;
}

const std::vector<std::string> kSummaryTabs = {"General Information",
                                               "Network Responses",
                                               "Errors",
                                               "Connection Weights",
                                               "SSE Data",
                                               "Desired Outputs",
                                               "Inputs"};

std::vector<std::string> WithBlankSheets(int count) {
    std::vector<std::string> tabs = kSummaryTabs;
    for (int k = 1; k <= count; ++k)
        tabs.push_back("Sheet" + std::to_string(k));
    return tabs;
}

struct Fixture {
    KeepingHandOver handOver;
    sheets::LocalSpreadsheetHost host{handOver};
    SpreadsheetState spreadsheet;
    RecordingFeedback feedback;
};

// What the user sees on the hub while a build runs: the waiting caption above a shown bar
// that only moves forward, over a range of 21 milestones, until it is full; afterwards the
// caption is empty and the bar hidden.
TEST(SpreadsheetSummary, ProgressBarMovesForwardToItsEndUnderTheWaitingCaption) {
    PublicStuff state = FormulaState(3, 5, 12, 40);
    Fixture f;
    std::vector<std::string> captions;
    std::vector<bool> shown;
    f.feedback.OnProgress = [&](int value) {
        if (value == 0)
            return;  // the bar is reset before it is shown
        captions.push_back(f.feedback.Caption);
        shown.push_back(f.feedback.Visible);
    };
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);

    ASSERT_TRUE(f.feedback.Messages.empty()) << f.feedback.Messages[0];
    EXPECT_EQ(f.feedback.Minimum, 0);
    EXPECT_EQ(f.feedback.Maximum, 21);
    const std::vector<int>& values = f.feedback.Values;
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 21);
    for (std::size_t k = 1; k < values.size(); ++k)
        EXPECT_GT(values[k], values[k - 1]) << "step " << k;
    ASSERT_FALSE(captions.empty());
    for (std::size_t k = 0; k < captions.size(); ++k) {
        EXPECT_EQ(captions[k], "Please be patient while the spreadsheet is built...") << k;
        EXPECT_TRUE(shown[k]) << k;
    }
    EXPECT_EQ(f.feedback.Caption, "");
    EXPECT_FALSE(f.feedback.Visible);
}

TEST(SpreadsheetSummary, LeavesTheWorkbookWithTheSevenSheetsAndTenNames) {
    const int I = 3, O = 5, P = 12, S = 2000;
    PublicStuff state = FormulaState(I, O, P, S);
    Fixture f;
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);
    ASSERT_TRUE(f.feedback.Messages.empty()) << f.feedback.Messages[0];
    ASSERT_EQ(f.handOver.Books.size(), 1u);
    const sheets::Workbook& book = *f.handOver.Books[0];
    EXPECT_EQ(TabNames(book), WithBlankSheets(1));
    EXPECT_EQ(book.ActiveSheet().Name(), "General Information");

    struct Expected {
        const char* Name;
        const char* Sheet;
        int Top, Left, Bottom, Right;
    };
    const std::vector<Expected> expected = {
        {"Actual", "Network Responses", 2, 2, P + 2, O + 2},
        {"Error", "Errors", 2, 2, P + 2, O + 2},
        {"InLabels", "Connection Weights", 2, 1, I + 1, 1},
        {"Inputs", "Inputs", 2, 2, P + 2, I + 2},
        {"OutLabels", "Network Responses", 1, 1, 1, O + 1},
        {"Outputs", "Desired Outputs", 2, 2, P + 2, O + 2},
        {"PatLabels", "Network Responses", 2, 1, P + 1, 1},
        {"SSEData", "SSE Data", 2, 1, S + 2, 2},
        {"TextStuff", "General Information", 1, 1, 8, 2},
        {"Weights", "Connection Weights", 2, 2, I + 2, O + 2},
    };
    const auto names = book.Names();
    ASSERT_EQ(names.size(), expected.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        SCOPED_TRACE(expected[k].Name);
        EXPECT_EQ(names[k].Name, expected[k].Name);
        EXPECT_EQ(names[k].Sheet->Name(), expected[k].Sheet);
        EXPECT_EQ(names[k].Top, expected[k].Top);
        EXPECT_EQ(names[k].Left, expected[k].Left);
        EXPECT_EQ(names[k].Bottom, expected[k].Bottom);
        EXPECT_EQ(names[k].Right, expected[k].Right);
    }
}

TEST(SpreadsheetSummary, LeavesTheLastPatternsRecallInTheUnitsAndTheRestAsItWas) {
    const int I = 4, O = 3, P = 6;
    PublicStuff state = FormulaState(I, O, P, 10);
    Fixture f;
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);
    ASSERT_TRUE(f.feedback.Messages.empty());
    for (int j = 1; j <= O; ++j) {
        double net = 0.0;
        for (int i = 1; i <= I; ++i)
            net = testing::FormulaWeight(j, i) * testing::FormulaInput(i, P) + net;
        EXPECT_EQ(state.OutputUnits(j).Activity, net);
        EXPECT_EQ(state.OutputUnits(j).Error, testing::FormulaDesired(j, P) - net);
    }
    for (int i = 1; i <= I; ++i)
        for (int j = 1; j <= O; ++j)
            EXPECT_EQ(state.Weights.Weight(j, i), testing::FormulaWeight(j, i));
    EXPECT_EQ(state.EpochCount, 100);
    EXPECT_EQ(state.SSECount, 10);
    EXPECT_EQ(state.NewRun, 0);
}

TEST(SpreadsheetSummary, SecondBuildAddsASecondWorkbookToTheSameHiddenApplication) {
    PublicStuff state = FormulaState(2, 3, 4, 5);
    KeepingHandOver handOver;
    sheets::LocalSpreadsheetHost host(handOver, 3);
    SpreadsheetState spreadsheet;
    RecordingFeedback feedback;

    BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    ASSERT_TRUE(feedback.Messages.empty());
    EXPECT_EQ(spreadsheet.ExcelStarted, 1);
    const auto firstApp = spreadsheet.ExcelApp;
    ASSERT_NE(firstApp, nullptr);
    EXPECT_TRUE(firstApp->Visible());

    std::vector<bool> visibleDuringBuild;
    feedback.OnProgress = [&](int value) {
        if (value > 0)
            visibleDuringBuild.push_back(spreadsheet.ExcelApp->Visible());
    };
    state.TrainingFileName = "second.net";
    BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    ASSERT_TRUE(feedback.Messages.empty());
    EXPECT_EQ(spreadsheet.ExcelApp, firstApp);
    EXPECT_TRUE(spreadsheet.ExcelApp->Visible());
    ASSERT_FALSE(visibleDuringBuild.empty());
    for (bool visible : visibleDuringBuild)
        EXPECT_FALSE(visible);

    ASSERT_EQ(handOver.Books.size(), 2u);
    // The application's default of 3 blank sheets held for the first workbook only.
    EXPECT_EQ(TabNames(*handOver.Books[0]), WithBlankSheets(3));
    EXPECT_EQ(TabNames(*handOver.Books[1]), WithBlankSheets(1));
    EXPECT_EQ(handOver.Books[0]->SheetAt(0).Value(2, 2).Text, "formula.net");
    EXPECT_EQ(handOver.Books[1]->SheetAt(0).Value(2, 2).Text, "second.net");
    EXPECT_EQ(firstApp->WorkbookCount(), 2);
    EXPECT_EQ(firstApp->Locations(), (std::vector<std::string>{"kept-1", "kept-2"}));
}

TEST(SpreadsheetSummary, GeneralInformationHoldsTheTrainingFacts) {
    PublicStuff state = FormulaState(2, 2, 3, 7);
    Fixture f;
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);
    ASSERT_EQ(f.handOver.Books.size(), 1u);
    const sheets::Worksheet& sheet = f.handOver.Books[0]->SheetAt(0);
    EXPECT_EQ(sheet.Value(1, 1).Text, "DISTRIBUTED ASSOCIATIVE MEMORY PROGRAM");
    EXPECT_EQ(sheet.Value(1, 2).Kind, ValueKind::kEmpty);
    EXPECT_EQ(sheet.Value(3, 2).Kind, ValueKind::kDate);
    EXPECT_EQ(sheet.Value(4, 2).Kind, ValueKind::kTime);
    EXPECT_EQ(sheet.Value(5, 2).Text, "Delta");
    EXPECT_EQ(sheet.Value(6, 2).Number, 0.25);
    EXPECT_EQ(sheet.Value(7, 2).Number, 70.0);
    EXPECT_EQ(sheet.ColumnWidths(), (std::map<int, double>{{1, 50.0}, {2, 20.0}}));
    for (int row = 1; row <= 8; ++row) {
        EXPECT_TRUE(sheet.Style(row, 1).Bold);
        EXPECT_TRUE(sheet.Style(row, 2).Bold);
        EXPECT_EQ(sheet.Style(row, 1).Alignment, sheets::HorizontalAlignment::kRight);
        EXPECT_EQ(sheet.Style(row, 2).Alignment, sheets::HorizontalAlignment::kCentre);
    }
}

struct LabelCase {
    const char* Prefix;
    int Number;
    const char* Text;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class SummaryLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(SummaryLabels, NumberFollowsThePrefixWithOneBlankForItsSign) {
    EXPECT_EQ(LabelText(GetParam().Prefix, GetParam().Number), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, SummaryLabels,
    ::testing::Values(LabelCase{"PAT ", 1, "PAT  1"}, LabelCase{"PAT ", 10, "PAT  10"},
                      LabelCase{"IN ", 12, "IN  12"}, LabelCase{"OUT ", 32767, "OUT  32767"},
                      LabelCase{"ERR ", 3, "ERR  3"}, LabelCase{"ACT ", 100, "ACT  100"}));

// A failing build and what the user is told.
struct FailureCase {
    const char* Title;
    std::function<void(PublicStuff&, KeepingHandOver&)> Break;
    std::string Message;
    bool BarFull;  // the failure came after the last milestone
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.Title;
}

class SummaryFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SummaryFailures, ReportOnceQuitTheApplicationAndKeepTheWaitingDisplay) {
    const FailureCase& c = GetParam();
    PublicStuff state = FormulaState(3, 2, 4, 5);
    Fixture f;
    c.Break(state, f.handOver);
    std::shared_ptr<sheets::SpreadsheetApplication> used;
    f.feedback.OnProgress = [&](int value) {
        if (value == 1)
            used = f.spreadsheet.ExcelApp;
    };
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);

    ASSERT_EQ(f.feedback.Messages.size(), 1u);
    EXPECT_EQ(f.feedback.Messages[0], c.Message);
    // The bar stays where the build stopped: short of its end unless every sheet was built.
    if (c.BarFull)
        EXPECT_EQ(f.feedback.Value, f.feedback.Maximum);
    else
        EXPECT_LT(f.feedback.Value, f.feedback.Maximum);
    EXPECT_TRUE(f.feedback.Visible);
    EXPECT_EQ(f.feedback.Caption, "Please be patient while the spreadsheet is built...");
    EXPECT_EQ(f.spreadsheet.ExcelApp, nullptr);
    EXPECT_EQ(f.spreadsheet.ExcelStarted, 1);
    ASSERT_NE(used, nullptr);
    EXPECT_TRUE(used->HasQuit());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SummaryFailures,
    ::testing::Values(
        FailureCase{"MoreColumnsThanASheetHas",
                    [](PublicStuff& s, KeepingHandOver&) { s = FormulaState(16384, 1, 1, 1); },
                    GeneralFailureText("The cell at row 1, column 16385 lies outside the "
                                       "worksheet."),
                    false},
        FailureCase{"RecallOverflows",
                    [](PublicStuff& s, KeepingHandOver&) {
                        s.Weights.SetWeight(1, 1, 1e300);
                        s.InputPatterns(1, 2) = 1e300;
                    },
                    GeneralFailureText("Overflow"), false},
        FailureCase{"CountBeyondSixteenBits",
                    [](PublicStuff& s, KeepingHandOver&) { s.NumPatterns = 40000; },
                    GeneralFailureText("Overflow"), false},
        FailureCase{"HistoryLongerThanItsTable",
                    [](PublicStuff& s, KeepingHandOver&) { s.SSECount = 2001; },
                    GeneralFailureText("Subscript out of range"), false},
        FailureCase{"PatternStoreSmallerThanItsCount",
                    [](PublicStuff& s, KeepingHandOver&) { s.NumPatterns = 9; },
                    GeneralFailureText("Subscript out of range"), false},
        FailureCase{
            "OutOfMemory",
            [](PublicStuff&, KeepingHandOver& h) { h.Failure = [] { throw std::bad_alloc(); }; },
            std::string("Out of memory error: ") + kCR +
                "Please try closing some applications and retrying." + kCR,
            true},
        FailureCase{"HandOverRefused",
                    [](PublicStuff&, KeepingHandOver& h) {
                        h.Failure = [] {
                            throw RunTimeException(RunTimeError{1004, "Cannot show it.", {}});
                        };
                    },
                    GeneralFailureText("Cannot show it."), true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.Title; });

TEST(SpreadsheetSummary, NoApplicationMeansOneMessageAndAUsableHub) {
    PublicStuff state = FormulaState(2, 2, 2, 2);
    testing::DeadHost host;
    SpreadsheetState spreadsheet;
    RecordingFeedback feedback;
    BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    ASSERT_EQ(feedback.Messages.size(), 1u);
    EXPECT_EQ(feedback.Messages[0], GeneralFailureText("No spreadsheet application is available."));
    EXPECT_EQ(spreadsheet.ExcelStarted, 1);
    EXPECT_EQ(spreadsheet.ExcelApp, nullptr);
    EXPECT_EQ(feedback.Value, 0);

    // The next build reaches for the running application instead of creating one.
    BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    ASSERT_EQ(feedback.Messages.size(), 2u);
    EXPECT_EQ(feedback.Messages[1],
              GeneralFailureText("The spreadsheet application is not running."));
    EXPECT_EQ(host.Calls, 2);
}

TEST(SpreadsheetSummary, BuildAfterAFailedOneGetsAFreshApplication) {
    PublicStuff state = FormulaState(2, 2, 3, 3);
    Fixture f;
    f.handOver.Failure = [] { throw RunTimeException(RunTimeError{1004, "Refused.", {}}); };
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);
    ASSERT_EQ(f.feedback.Messages.size(), 1u);

    f.handOver.Failure = nullptr;
    BuildSpreadsheetSummary(state, f.spreadsheet, f.host, f.feedback);
    EXPECT_EQ(f.feedback.Messages.size(), 1u);
    ASSERT_NE(f.spreadsheet.ExcelApp, nullptr);
    EXPECT_TRUE(f.spreadsheet.ExcelApp->Visible());
    ASSERT_EQ(f.handOver.Books.size(), 1u);
    EXPECT_EQ(TabNames(*f.handOver.Books[0]), WithBlankSheets(1));
    EXPECT_EQ(f.feedback.Caption, "");
    EXPECT_FALSE(f.feedback.Visible);
}

}  // namespace
}  // namespace mnemex
