#include "reports/workbook/SpreadsheetApplication.h"

#include <utility>

#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

SpreadsheetApplication::SpreadsheetApplication(std::shared_ptr<ApplicationOptions> options,
                                               WorkbookHandOver& handOver)
    : options_(std::move(options)), handOver_(&handOver) {}

void SpreadsheetApplication::CheckRunning() const {
    if (quit_)
        throw RunTimeException(
            RunTimeError{kApplicationGone, "The spreadsheet application has been closed.", {}});
}

void SpreadsheetApplication::SetVisible(bool visible) {
    CheckRunning();
    if (visible) {
        for (OpenWorkbook& open : workbooks_) {
            if (open.Book != nullptr)
                open.Location = handOver_->HandOver(std::move(open.Book));
        }
    }
    visible_ = visible;
}

void SpreadsheetApplication::SetScreenUpdating(bool on) {
    CheckRunning();
    screenUpdating_ = on;
}

int SpreadsheetApplication::SheetsInNewWorkbook() const {
    CheckRunning();
    return options_->SheetsInNewWorkbook;
}

void SpreadsheetApplication::SetSheetsInNewWorkbook(int count) {
    CheckRunning();
    if (count < 1 || count > 255)
        ThrowSheetError("A new workbook holds from 1 to 255 sheets.");
    options_->SheetsInNewWorkbook = count;
}

Workbook& SpreadsheetApplication::AddWorkbook() {
    CheckRunning();
    auto book = std::make_unique<Workbook>("Book" + std::to_string(nextBookNumber_),
                                           options_->SheetsInNewWorkbook);
    ++nextBookNumber_;
    workbooks_.push_back(OpenWorkbook{std::move(book), {}});
    return *workbooks_.back().Book;
}

Workbook& SpreadsheetApplication::ActiveWorkbook() {
    CheckRunning();
    if (workbooks_.empty() || workbooks_.back().Book == nullptr)
        ThrowSheetError("No workbook is being built in the spreadsheet application.");
    return *workbooks_.back().Book;
}

void SpreadsheetApplication::Quit() {
    for (OpenWorkbook& open : workbooks_)
        open.Book.reset();
    quit_ = true;
    visible_ = false;
}

std::vector<std::string> SpreadsheetApplication::Locations() const {
    std::vector<std::string> locations;
    for (const OpenWorkbook& open : workbooks_)
        locations.push_back(open.Location);
    return locations;
}

LocalSpreadsheetHost::LocalSpreadsheetHost(WorkbookHandOver& handOver,
                                           int defaultSheetsInNewWorkbook)
    : handOver_(&handOver),
      options_(
          std::make_shared<ApplicationOptions>(ApplicationOptions{defaultSheetsInNewWorkbook})) {}

std::shared_ptr<SpreadsheetApplication> LocalSpreadsheetHost::CreateApplication() {
    running_ = std::make_shared<SpreadsheetApplication>(options_, *handOver_);
    return running_;
}

std::shared_ptr<SpreadsheetApplication> LocalSpreadsheetHost::RunningApplication() {
    if (running_ != nullptr && !running_->HasQuit())
        return running_;
    return CreateApplication();
}

}  // namespace mnemex::sheets
