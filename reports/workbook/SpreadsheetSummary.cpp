#include "reports/workbook/SpreadsheetSummary.h"

#include <ctime>
#include <exception>

#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "reports/workbook/ExcelStuff.h"
#include "reports/workbook/SheetError.h"

namespace mnemex {

using sheets::CellValue;
using sheets::HorizontalAlignment;
using sheets::Range;
using sheets::SpreadsheetApplication;

namespace {

constexpr const char* kValueFormat = "###0.00";

void StepProgress(SummaryFeedback& feedback) {
    feedback.SetProgressValue(feedback.ProgressValue() + 1);
}

// Reading past the end of a table is the array-bound fault of the build.
void RequireBound(bool inside) {
    if (!inside)
        throw RunTimeException(kSubscriptOutOfRange);
}

struct Counts {
    int I;
    int O;
    int P;
    int S;
};

Counts CheckedCounts(const PublicStuff& state) {
    Counts c{CheckedCount(state.NumInputs), CheckedCount(state.NumOutputs),
             CheckedCount(state.NumPatterns), state.SSECount};
    if (c.I < 0 || c.O < 0 || c.P < 0)
        throw RunTimeException(kOverflow);
    return c;
}

Range BlockOf(SpreadsheetApplication& app, int row1, int column1, int row2, int column2) {
    return app.ActiveSheet().RangeBetween(app.Cells(row1, column1), app.Cells(row2, column2));
}

void AddNamedSheet(SpreadsheetApplication& app, const std::string& name) {
    app.ActiveWorkbook().AddSheet();
    app.ActiveWorkbook().ActiveSheet().SetName(name);
}

void FormatValueBlock(SpreadsheetApplication& app, const std::string& name) {
    const Range block = app.ActiveSheet().RangeNamed(name);
    block.SetHorizontalAlignment(HorizontalAlignment::kCentre);
    block.SetNumberFormat(kValueFormat);
}

void WriteInputsSheet(SpreadsheetApplication& app, const PublicStuff& state, const Counts& n,
                      SummaryFeedback& feedback) {
    AddNamedSheet(app, "Inputs");
    StepProgress(feedback);
    MakeColumnLabels(app, "InLabels", "IN ", n.I);
    MakeRowLabels(app, "PatLabels", "PAT ", n.P);
    BlockOf(app, 2, 2, n.P + 2, n.I + 2).SetName("Inputs");
    StepProgress(feedback);
    RequireBound(state.InputPatterns.Units() >= n.I && state.InputPatterns.Patterns() >= n.P);
    const Range block = app.ActiveSheet().RangeNamed("Inputs");
    for (int p = 1; p <= n.P; ++p)
        for (int i = 1; i <= n.I; ++i)
            block.Cells(p, i).SetValue(CellValue::FromNumber(state.InputPatterns(i, p)));
    StepProgress(feedback);
    FormatValueBlock(app, "Inputs");
}

void WriteDesiredOutputsSheet(SpreadsheetApplication& app, const PublicStuff& state,
                              const Counts& n, SummaryFeedback& feedback) {
    AddNamedSheet(app, "Desired Outputs");
    StepProgress(feedback);
    MakeColumnLabels(app, "OutLabels", "OUT ", n.O);
    MakeRowLabels(app, "PatLabels", "PAT ", n.P);
    BlockOf(app, 2, 2, n.P + 2, n.O + 2).SetName("Outputs");
    StepProgress(feedback);
    RequireBound(state.DesiredOutputs.Units() >= n.O && state.DesiredOutputs.Patterns() >= n.P);
    const Range block = app.ActiveSheet().RangeNamed("Outputs");
    for (int p = 1; p <= n.P; ++p)
        for (int j = 1; j <= n.O; ++j)
            block.Cells(p, j).SetValue(CellValue::FromNumber(state.DesiredOutputs(j, p)));
    StepProgress(feedback);
    FormatValueBlock(app, "Outputs");
}

void WriteSSESheet(SpreadsheetApplication& app, const PublicStuff& state, const Counts& n,
                   SummaryFeedback& feedback) {
    AddNamedSheet(app, "SSE Data");
    BlockOf(app, 2, 1, n.S + 2, 2).SetName("SSEData");
    app.Cells(1, 1).SetValue(CellValue::FromText("Sweep"));
    app.Cells(1, 2).SetValue(CellValue::FromText("SSE"));
    const Range header = BlockOf(app, 1, 1, 1, 2);
    header.SetHorizontalAlignment(HorizontalAlignment::kCentre);
    header.SetBold(true);
    StepProgress(feedback);
    RequireBound(n.S >= 0 && n.S <= kHistoryRows);
    const Range block = app.ActiveSheet().RangeNamed("SSEData");
    for (int r = 1; r <= n.S; ++r)
        for (int j = 1; j <= 2; ++j)
            block.Cells(r, j).SetValue(CellValue::FromNumber(
                state.SSEHistory[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)]));
    StepProgress(feedback);
}

void WriteWeightsSheet(SpreadsheetApplication& app, const PublicStuff& state, const Counts& n,
                       SummaryFeedback& feedback) {
    AddNamedSheet(app, "Connection Weights");
    StepProgress(feedback);
    MakeColumnLabels(app, "OutLabels", "OUT ", n.O);
    MakeRowLabels(app, "InLabels", "IN ", n.I);
    BlockOf(app, 2, 2, n.I + 2, n.O + 2).SetName("Weights");
    StepProgress(feedback);
    RequireBound(state.Weights.NumOutputs() >= n.O && state.Weights.NumInputs() >= n.I);
    const Range block = app.ActiveSheet().RangeNamed("Weights");
    for (int i = 1; i <= n.I; ++i)
        for (int j = 1; j <= n.O; ++j)
            block.Cells(i, j).SetValue(CellValue::FromNumber(state.Weights.Weight(j, i)));
    StepProgress(feedback);
    FormatValueBlock(app, "Weights");
}

// The Errors and Network Responses sheets: one recall of every pattern each.
void WriteRecallSheet(SpreadsheetApplication& app, PublicStuff& state, const Counts& n,
                      SummaryFeedback& feedback, const std::string& sheetName,
                      const std::string& prefix, const std::string& blockName, bool activity) {
    AddNamedSheet(app, sheetName);
    StepProgress(feedback);
    MakeColumnLabels(app, "OutLabels", prefix, n.O);
    MakeRowLabels(app, "PatLabels", "PAT ", n.P);
    BlockOf(app, 2, 2, n.P + 2, n.O + 2).SetName(blockName);
    StepProgress(feedback);
    const Range block = app.ActiveSheet().RangeNamed(blockName);
    for (int p = 1; p <= n.P; ++p) {
        ComputeOutputs(state, p);
        for (int j = 1; j <= n.O; ++j) {
            const UnitRecord& unit = state.OutputUnits(j);
            block.Cells(p, j).SetValue(
                CellValue::FromNumber(activity ? unit.Activity : unit.Error));
        }
    }
    StepProgress(feedback);
    FormatValueBlock(app, blockName);
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void WriteGeneralSheet(SpreadsheetApplication& app, const PublicStuff& state,
                       SummaryFeedback& feedback) {
    AddNamedSheet(app, "General Information");
    BlockOf(app, 1, 1, 8, 2).SetName("TextStuff");
    // One reading of the clock, so that date and time agree even across midnight.
    const std::tm now = LocalNow();
    auto cell = [&app](int row, int column) {
        return app.ActiveSheet().RangeNamed("TextStuff").Cells(row, column);
    };
    cell(1, 1).SetValue(CellValue::FromText("DISTRIBUTED ASSOCIATIVE MEMORY PROGRAM"));
    cell(2, 1).SetValue(CellValue::FromText("Results Of Training With File:"));
    cell(2, 2).SetValue(CellValue::FromText(state.TrainingFileName));
    cell(3, 1).SetValue(CellValue::FromText("Date of Analysis:"));
    cell(3, 2).SetValue(CellValue::FromDate(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday));
    StepProgress(feedback);
    cell(4, 1).SetValue(CellValue::FromText("Time of Analysis:"));
    cell(4, 2).SetValue(CellValue::FromTime(now.tm_hour, now.tm_min, now.tm_sec));
    cell(5, 1).SetValue(CellValue::FromText("Learning Rule:"));
    cell(5, 2).SetValue(CellValue::FromText(state.LearningRule));
    cell(6, 1).SetValue(CellValue::FromText("Learning Rate:"));
    cell(6, 2).SetValue(CellValue::FromNumber(state.LearningRate));
    cell(7, 1).SetValue(CellValue::FromText("Sweeps Of Training:"));
    cell(7, 2).SetValue(CellValue::FromNumber(state.EpochCount));
    StepProgress(feedback);
    BlockOf(app, 1, 1, 8, 1).SetColumnWidth(50);
    BlockOf(app, 1, 2, 8, 2).SetColumnWidth(20);
    app.ActiveSheet().RangeNamed("TextStuff").SetBold(true);
    BlockOf(app, 1, 1, 8, 1).SetHorizontalAlignment(HorizontalAlignment::kRight);
    BlockOf(app, 1, 2, 8, 2).SetHorizontalAlignment(HorizontalAlignment::kCentre);
}

void ObtainApplication(SpreadsheetState& spreadsheet, sheets::SpreadsheetHost& host) {
    if (spreadsheet.ExcelStarted == 0) {
        spreadsheet.ExcelStarted = 1;
        spreadsheet.ExcelApp = host.CreateApplication();
        return;
    }
    spreadsheet.ExcelApp = host.RunningApplication();
    spreadsheet.ExcelApp->SetVisible(false);
}

void BuildSteps(PublicStuff& state, SpreadsheetState& spreadsheet, sheets::SpreadsheetHost& host,
                SummaryFeedback& feedback) {
    feedback.SetProgressRange(0, kSummaryMilestones);
    feedback.SetProgressValue(0);
    feedback.SetProgressVisible(true);
    ObtainApplication(spreadsheet, host);
    StepProgress(feedback);
    SpreadsheetApplication& app = *spreadsheet.ExcelApp;
    app.AddWorkbook();
    app.SetSheetsInNewWorkbook(1);
    const Counts n = CheckedCounts(state);
    WriteInputsSheet(app, state, n, feedback);
    WriteDesiredOutputsSheet(app, state, n, feedback);
    WriteSSESheet(app, state, n, feedback);
    WriteWeightsSheet(app, state, n, feedback);
    WriteRecallSheet(app, state, n, feedback, "Errors", "ERR ", "Error", false);
    WriteRecallSheet(app, state, n, feedback, "Network Responses", "ACT ", "Actual", true);
    WriteGeneralSheet(app, state, feedback);
    app.SetScreenUpdating(true);
    StepProgress(feedback);
    app.SetVisible(true);
    feedback.SetFeedbackCaption("");
    feedback.SetProgressVisible(false);
}

// Runs the build and turns anything it throws into the error to report.
RunTimeError TrapBuildErrors(PublicStuff& state, SpreadsheetState& spreadsheet,
                             sheets::SpreadsheetHost& host, SummaryFeedback& feedback) {
    try {
        return TrapErrors([&] { BuildSteps(state, spreadsheet, host, feedback); });
    } catch (const std::exception& e) {
        return RunTimeError{sheets::kApplicationError, e.what(), {}};
    }
}

}  // namespace

void BuildSpreadsheetSummary(PublicStuff& state, SpreadsheetState& spreadsheet,
                             sheets::SpreadsheetHost& host, SummaryFeedback& feedback) {
    feedback.SetFeedbackCaption(kSummaryWaitingCaption);
    const RunTimeError error = TrapBuildErrors(state, spreadsheet, host, feedback);
    if (error.Number == 0)
        return;
    feedback.ShowMessage(SpreadsheetErrorMessage(error));
    if (spreadsheet.ExcelApp != nullptr) {
        // Closing can fail too when the application is already gone; nothing more to do then.
        TrapErrors([&] { spreadsheet.ExcelApp->Quit(); });
        spreadsheet.ExcelApp.reset();
    }
}

}  // namespace mnemex
