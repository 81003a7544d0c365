// Builds spreadsheet summaries of a formula state through the program's own build and
// writes the k-th workbook handed over to the k-th --out path, for checks by a reader
// that is not ours.
//
// make_summary_workbook [--inputs I] [--outputs O] [--patterns P] [--history S]
//                       [--default-sheets N] --out PATH [--out PATH ...]
// Each --out is one build; builds after the first reach the running application.

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "reports/workbook/SpreadsheetSummary.h"
#include "reports/workbook/XlsxFile.h"
#include "tests/workbook/SummaryStates.h"

namespace {

class PathsHandOver : public mnemex::sheets::WorkbookHandOver {
  public:
    explicit PathsHandOver(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    std::string HandOver(std::unique_ptr<mnemex::sheets::Workbook> workbook) override {
        const std::string& path = paths_.at(next_++);
        mnemex::sheets::WriteXlsxFile(*workbook, path);
        return path;
    }

  private:
    std::vector<std::string> paths_;
    std::size_t next_ = 0;
};

class ConsoleFeedback : public mnemex::SummaryFeedback {
  public:
    void SetFeedbackCaption(const std::string&) override {}
    void SetProgressRange(int, int) override {}
    int ProgressValue() const override { return value_; }
    void SetProgressValue(int value) override { value_ = value; }
    void SetProgressVisible(bool) override {}
    void ShowMessage(const std::string& text) override {
        std::cerr << text << '\n';
        failed = true;
    }
    bool failed = false;

  private:
    int value_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // Like the desktop program, take the user's locale, numbers included.
    std::setlocale(LC_ALL, "");
    int inputs = 3, outputs = 5, patterns = 12, history = 20, defaultSheets = 1;
    std::vector<std::string> outs;
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string option = argv[k];
        const std::string value = argv[k + 1];
        if (option == "--out")
            outs.push_back(value);
        else if (option == "--inputs")
            inputs = std::atoi(value.c_str());
        else if (option == "--outputs")
            outputs = std::atoi(value.c_str());
        else if (option == "--patterns")
            patterns = std::atoi(value.c_str());
        else if (option == "--history")
            history = std::atoi(value.c_str());
        else if (option == "--default-sheets")
            defaultSheets = std::atoi(value.c_str());
        else {
            std::cerr << "unknown option " << option << '\n';
            return 2;
        }
    }
    if (outs.empty()) {
        std::cerr << "no --out given\n";
        return 2;
    }
    mnemex::PublicStuff state = mnemex::testing::FormulaState(inputs, outputs, patterns, history);
    PathsHandOver handOver(outs);
    mnemex::sheets::LocalSpreadsheetHost host(handOver, defaultSheets);
    mnemex::SpreadsheetState spreadsheet;
    ConsoleFeedback feedback;
    for (std::size_t b = 0; b < outs.size() && !feedback.failed; ++b)
        mnemex::BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    return feedback.failed ? 1 : 0;
}
