#pragma once
// Stand-ins for the hub's feedback controls and for the desktop, recording what the
// summary build does with them.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reports/workbook/DesktopOpener.h"
#include "reports/workbook/SpreadsheetSummary.h"

namespace mnemex::testing {

// The hub's feedback line, progress bar and message boxes.
class RecordingFeedback : public SummaryFeedback {
  public:
    void SetFeedbackCaption(const std::string& text) override { Caption = text; }
    void SetProgressRange(int minimum, int maximum) override {
        Minimum = minimum;
        Maximum = maximum;
    }
    int ProgressValue() const override { return Value; }
    void SetProgressValue(int value) override {
        Value = value;
        Values.push_back(value);
        if (OnProgress)
            OnProgress(value);
    }
    void SetProgressVisible(bool visible) override { Visible = visible; }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    // Answers with OnQuestion; a feedback without it cannot ask.
    std::optional<bool> AskYesNo(const std::string& text) override {
        if (!OnQuestion)
            return std::nullopt;
        return OnQuestion(text);
    }

    std::string Caption;
    int Minimum = -1;
    int Maximum = -1;
    int Value = -1;
    bool Visible = false;
    std::vector<int> Values;
    std::vector<std::string> Messages;
    std::function<void(int)> OnProgress;
    std::function<bool(const std::string&)> OnQuestion;
};

// Keeps every workbook handed over, or fails as told.
class KeepingHandOver : public sheets::WorkbookHandOver {
  public:
    std::string HandOver(std::unique_ptr<sheets::Workbook> workbook) override {
        if (Failure)
            Failure();
        Books.push_back(std::move(workbook));
        return "kept-" + std::to_string(Books.size());
    }
    std::vector<std::unique_ptr<sheets::Workbook>> Books;
    std::function<void()> Failure;
};

// A host whose application cannot be started or reached.
class DeadHost : public sheets::SpreadsheetHost {
  public:
    std::shared_ptr<sheets::SpreadsheetApplication> CreateApplication() override;
    std::shared_ptr<sheets::SpreadsheetApplication> RunningApplication() override;
    int Calls = 0;
};

// A desktop opener that succeeds or fails without starting anything.
class FakeOpener : public sheets::WorkbookOpener {
  public:
    std::optional<std::string> Open(const std::string& path) override {
        Opened.push_back(path);
        const bool isWorkbook = path.size() >= 5 && path.compare(path.size() - 5, 5, ".xlsx") == 0;
        return WorkbooksOnly && !isWorkbook ? std::nullopt : Failure;
    }
    std::vector<std::string> Opened;
    std::optional<std::string> Failure;
    // Fail only for workbooks: folders still open (a desktop with a file manager but no
    // spreadsheet program).
    bool WorkbooksOnly = false;
};

}  // namespace mnemex::testing
