// The in-memory spreadsheet: sheets, names, ranges, values and styles as the summary
// build relies on them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "reports/workbook/SheetError.h"
#include "reports/workbook/SpreadsheetApplication.h"
#include "reports/workbook/Workbook.h"

namespace mnemex::sheets {
namespace {

std::vector<std::string> TabNames(const Workbook& book) {
    std::vector<std::string> names;
    for (int k = 0; k < book.SheetCount(); ++k)
        names.push_back(book.SheetAt(k).Name());
    return names;
}

// The run-time error a call throws, or number 0 when it throws none.
template <typename Fn>
RunTimeError ErrorOf(Fn&& fn) {
    try {
        fn();
    } catch (const RunTimeException& e) {
        return e.Error();
    }
    return {};
}

TEST(WorkbookSheets, NewSheetGoesInFrontOfTheActiveOneAndBecomesActive) {
    Workbook book("Book1", 1);
    book.AddSheet().SetName("Inputs");
    book.AddSheet().SetName("Desired Outputs");
    book.AddSheet().SetName("SSE Data");
    EXPECT_EQ(TabNames(book),
              (std::vector<std::string>{"SSE Data", "Desired Outputs", "Inputs", "Sheet1"}));
    EXPECT_EQ(book.ActiveIndex(), 0);
    EXPECT_EQ(book.ActiveSheet().Name(), "SSE Data");
}

TEST(WorkbookSheets, NewWorkbookHoldsTheBlankSheetsAskedFor) {
    Workbook book("Book1", 3);
    EXPECT_EQ(TabNames(book), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(book.ActiveSheet().Name(), "Sheet1");
    book.AddSheet();
    EXPECT_EQ(book.ActiveSheet().Name(), "Sheet4");
}

TEST(WorkbookSheets, SheetNamesTheApplicationRefusesAreRefused) {
    Workbook book("Book1", 2);
    const std::vector<std::string> refused = {"",
                                              "Sheet2",
                                              "sheet2",
                                              "a:b",
                                              "a/b",
                                              "[x]",
                                              "q?",
                                              "star*",
                                              "'quoted'",
                                              "History",
                                              "A name that is far too long to fit"};
    for (const std::string& name : refused) {
        const RunTimeError e = ErrorOf([&] { book.SheetAt(0).SetName(name); });
        EXPECT_EQ(e.Number, kApplicationError) << name;
    }
    EXPECT_EQ(book.SheetAt(0).Name(), "Sheet1");
    book.SheetAt(0).SetName("General Information");
    EXPECT_EQ(book.SheetAt(0).Name(), "General Information");
}

TEST(WorkbookNames, LaterDefinitionRedefinesTheName) {
    Workbook book("Book1", 1);
    Worksheet& first = book.AddSheet();
    first.SetName("Inputs");
    first.RangeBetween(first.Cells(1, 1), first.Cells(1, 4)).SetName("InLabels");
    Worksheet& second = book.AddSheet();
    second.SetName("Connection Weights");
    second.RangeBetween(second.Cells(2, 1), second.Cells(4, 1)).SetName("inlabels");

    const auto names = book.Names();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].Sheet, &second);
    EXPECT_EQ(names[0].Top, 2);
    EXPECT_EQ(names[0].Left, 1);
    EXPECT_EQ(names[0].Bottom, 4);
    EXPECT_EQ(names[0].Right, 1);
    EXPECT_EQ(second.RangeNamed("InLabels"),
              second.RangeBetween(second.Cells(2, 1), second.Cells(4, 1)));
}

TEST(WorkbookNames, RangeByNameOnlyOnItsOwnSheet) {
    Workbook book("Book1", 1);
    Worksheet& first = book.AddSheet();
    first.Cells(2, 2).SetName("Inputs");
    Worksheet& second = book.AddSheet();
    EXPECT_EQ(ErrorOf([&] { second.RangeNamed("Inputs"); }).Number, kApplicationError);
    EXPECT_EQ(ErrorOf([&] { first.RangeNamed("Missing"); }).Number, kApplicationError);
    EXPECT_EQ(first.RangeNamed("INPUTS"), first.Cells(2, 2));
}

struct NameCase {
    const char* Name;
    bool Valid;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << '"' << c.Name << '"';
}

class WorkbookNameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(WorkbookNameRules, AcceptsExactlyTheNamesTheApplicationAccepts) {
    EXPECT_EQ(IsValidName(GetParam().Name), GetParam().Valid) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(Names, WorkbookNameRules,
                         ::testing::Values(NameCase{"Inputs", true}, NameCase{"Outputs", true},
                                           NameCase{"SSEData", true}, NameCase{"Weights", true},
                                           NameCase{"Error", true}, NameCase{"Actual", true},
                                           NameCase{"TextStuff", true}, NameCase{"InLabels", true},
                                           NameCase{"OutLabels", true}, NameCase{"PatLabels", true},
                                           NameCase{"_private.name", true}, NameCase{"XFE1", true},
                                           NameCase{"IN12", false}, NameCase{"A1", false},
                                           NameCase{"xfd1048576", false}, NameCase{"R1C1", false},
                                           NameCase{"R", false}, NameCase{"c", false},
                                           NameCase{"", false}, NameCase{"two words", false},
                                           NameCase{"1st", false}, NameCase{"a-b", false}));

TEST(WorkbookRanges, CornersInAnyOrderGiveTheSameRectangle) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    const Range r = sheet.RangeBetween(sheet.Cells(5, 3), sheet.Cells(2, 1));
    EXPECT_EQ(r.Top(), 2);
    EXPECT_EQ(r.Left(), 1);
    EXPECT_EQ(r.Bottom(), 5);
    EXPECT_EQ(r.Right(), 3);
    // The label column of zero labels, (2,1) to (1,1), is A1:A2.
    const Range empty = sheet.RangeBetween(sheet.Cells(2, 1), sheet.Cells(1, 1));
    EXPECT_EQ(empty, sheet.RangeBetween(sheet.Cells(1, 1), sheet.Cells(2, 1)));
}

TEST(WorkbookRanges, CellsCountAlongTheRangeAndFromItsCorner) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    const Range row = sheet.RangeBetween(sheet.Cells(1, 1), sheet.Cells(1, 5));
    EXPECT_EQ(row.Cells(3), sheet.Cells(1, 3));
    const Range column = sheet.RangeBetween(sheet.Cells(2, 1), sheet.Cells(9, 1));
    EXPECT_EQ(column.Cells(3), sheet.Cells(4, 1));
    const Range block = sheet.RangeBetween(sheet.Cells(2, 2), sheet.Cells(4, 6));
    EXPECT_EQ(block.Cells(1, 1), sheet.Cells(2, 2));
    EXPECT_EQ(block.Cells(3, 5), sheet.Cells(4, 6));
    EXPECT_EQ(block.Cells(7), sheet.Cells(3, 3));  // second row, second cell
}

TEST(WorkbookRanges, CellsOutsideTheSheetAreRefused) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(1, kMaxColumns + 1); }).Number, kApplicationError);
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(kMaxRows + 1, 1); }).Number, kApplicationError);
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(0, 1); }).Number, kApplicationError);
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(1, 1).Cells(0); }).Number, kApplicationError);
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(kMaxRows, kMaxColumns); }).Number, 0);
}

TEST(WorkbookCells, ValuesKeepTheirType) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    sheet.Cells(1, 1).SetValue(CellValue::FromText("PAT  1"));
    sheet.Cells(1, 2).SetValue(CellValue::FromNumber(-0.125));
    EXPECT_EQ(sheet.Value(1, 1).Kind, ValueKind::kText);
    EXPECT_EQ(sheet.Value(1, 1).Text, "PAT  1");
    EXPECT_EQ(sheet.Value(1, 2).Kind, ValueKind::kNumber);
    EXPECT_EQ(sheet.Value(1, 2).Number, -0.125);
    sheet.Cells(1, 1).SetValue(CellValue::FromNumber(3));
    EXPECT_EQ(sheet.Value(1, 1).Kind, ValueKind::kNumber);
    EXPECT_EQ(sheet.Value(7, 7).Kind, ValueKind::kEmpty);
}

TEST(WorkbookCells, InfiniteOrNotANumberIsRefused) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    EXPECT_EQ(ErrorOf([&] {
                  sheet.Cells(1, 1).SetValue(
                      CellValue::FromNumber(std::numeric_limits<double>::infinity()));
              }).Number,
              kApplicationError);
    EXPECT_EQ(
        ErrorOf([&] { sheet.Cells(1, 1).SetValue(CellValue::FromNumber(std::nan(""))); }).Number,
        kApplicationError);
    EXPECT_EQ(sheet.CellCount(), 0u);
}

struct DateCase {
    int Year, Month, Day;
    double Serial;  // the spreadsheet serial number of that day
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.Year << '-' << c.Month << '-' << c.Day;
}

class WorkbookDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(WorkbookDates, DatesAreSpreadsheetSerialNumbers) {
    const DateCase c = GetParam();
    const CellValue v = CellValue::FromDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(v.Kind, ValueKind::kDate);
    EXPECT_EQ(v.Number, c.Serial);
}

INSTANTIATE_TEST_SUITE_P(Serials, WorkbookDates,
                         ::testing::Values(DateCase{1900, 3, 1, 61}, DateCase{1999, 12, 31, 36525},
                                           DateCase{2000, 2, 29, 36585},
                                           DateCase{2024, 1, 1, 45292},
                                           DateCase{2026, 12, 8, 46364}));

TEST(WorkbookCells, TimesAreFractionsOfADay) {
    EXPECT_EQ(CellValue::FromTime(12, 0, 0).Number, 0.5);
    EXPECT_EQ(CellValue::FromTime(18, 0, 0).Number, 0.75);
    EXPECT_EQ(CellValue::FromTime(0, 0, 0).Number, 0.0);
    EXPECT_EQ(CellValue::FromTime(6, 0, 0).Kind, ValueKind::kTime);
}

TEST(WorkbookCells, DateOrTimeGivesAGeneralCellTheDefaultFormatOnly) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    sheet.Cells(1, 1).SetValue(CellValue::FromDate(2024, 5, 17));
    sheet.Cells(2, 1).SetValue(CellValue::FromTime(9, 30, 0));
    sheet.Cells(3, 1).SetNumberFormat("###0.00");
    sheet.Cells(3, 1).SetValue(CellValue::FromDate(2024, 5, 17));
    EXPECT_EQ(sheet.Style(1, 1).NumberFormat, kDefaultDateFormat);
    EXPECT_EQ(sheet.Style(2, 1).NumberFormat, kDefaultTimeFormat);
    EXPECT_EQ(sheet.Style(3, 1).NumberFormat, "###0.00");
}

TEST(WorkbookStyles, FormatsOfARangeCombineAndReachEmptyCells) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    sheet.Cells(1, 1).SetValue(CellValue::FromNumber(1));
    const Range block = sheet.RangeBetween(sheet.Cells(1, 1), sheet.Cells(2, 2));
    block.SetBold(true);
    block.SetHorizontalAlignment(HorizontalAlignment::kCentre);
    sheet.RangeBetween(sheet.Cells(1, 2), sheet.Cells(2, 2)).SetNumberFormat("###0.00");
    const CellStyle plain = sheet.Style(1, 1);
    EXPECT_TRUE(plain.Bold);
    EXPECT_EQ(plain.Alignment, HorizontalAlignment::kCentre);
    EXPECT_EQ(plain.NumberFormat, "");
    const CellStyle margin = sheet.Style(2, 2);  // never written, formatted all the same
    EXPECT_TRUE(margin.Bold);
    EXPECT_EQ(margin.Alignment, HorizontalAlignment::kCentre);
    EXPECT_EQ(margin.NumberFormat, "###0.00");
    EXPECT_EQ(sheet.Value(2, 2).Kind, ValueKind::kEmpty);
}

TEST(WorkbookStyles, ColumnWidthReachesEveryColumnTheRangeTouches) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    sheet.RangeBetween(sheet.Cells(1, 2), sheet.Cells(8, 3)).SetColumnWidth(20);
    EXPECT_EQ(sheet.ColumnWidths(), (std::map<int, double>{{2, 20.0}, {3, 20.0}}));
    EXPECT_EQ(ErrorOf([&] { sheet.Cells(1, 1).SetColumnWidth(300); }).Number, kApplicationError);
}

TEST(WorkbookMemory, OnlyWrittenOrFormattedCellsAreKept) {
    Workbook book("Book1", 1);
    Worksheet& sheet = book.ActiveSheet();
    sheet.Cells(kMaxRows, kMaxColumns).SetValue(CellValue::FromNumber(1));
    sheet.Cells(1, 1).SetValue(CellValue::FromText("a"));
    sheet.Cells(1, 1).SetValue(CellValue::FromText("b"));
    sheet.RangeBetween(sheet.Cells(3, 3), sheet.Cells(4, 4)).SetBold(true);
    EXPECT_EQ(sheet.CellCount(), 6u);
    EXPECT_EQ(sheet.Value(1, 1).Text, "b");
}

class NoHandOver : public WorkbookHandOver {
  public:
    std::string HandOver(std::unique_ptr<Workbook>) override { return "nowhere"; }
};

TEST(SpreadsheetApplicationLife, QuitDiscardsUnshownWorkbooksAndEndsTheApplication) {
    NoHandOver handOver;
    LocalSpreadsheetHost host(handOver);
    auto app = host.CreateApplication();
    app->AddWorkbook();
    app->Quit();
    EXPECT_EQ(ErrorOf([&] { app->ActiveSheet(); }).Number, kApplicationGone);
    EXPECT_EQ(ErrorOf([&] { app->SetVisible(true); }).Number, kApplicationGone);
    // The next reach for the running application starts a fresh one.
    auto next = host.RunningApplication();
    EXPECT_NE(next, app);
    EXPECT_FALSE(next->HasQuit());
    EXPECT_EQ(host.RunningApplication(), next);
}

TEST(SpreadsheetApplicationLife, SheetsInNewWorkbookCountsForLaterWorkbooksAndInstances) {
    NoHandOver handOver;
    LocalSpreadsheetHost host(handOver, 3);
    auto app = host.CreateApplication();
    EXPECT_EQ(app->AddWorkbook().SheetCount(), 3);
    app->SetSheetsInNewWorkbook(1);
    EXPECT_EQ(app->AddWorkbook().SheetCount(), 1);
    EXPECT_EQ(host.CreateApplication()->AddWorkbook().SheetCount(), 1);
    EXPECT_EQ(ErrorOf([&] { app->SetSheetsInNewWorkbook(0); }).Number, kApplicationError);
}

}  // namespace
}  // namespace mnemex::sheets
