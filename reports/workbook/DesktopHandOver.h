#pragma once
// Hands a finished workbook to the user's spreadsheet program: a new file in the
// program's workbook folder, opened with the desktop's application for .xlsx files.

#include <memory>
#include <string>

#include "reports/workbook/DesktopOpener.h"
#include "reports/workbook/SpreadsheetApplication.h"
#include "reports/workbook/WorkbookFolder.h"

namespace mnemex::sheets {

class DesktopHandOver : public WorkbookHandOver {
  public:
    DesktopHandOver(WorkbookFolder folder, WorkbookOpener& opener);
    // Writes the workbook to a new file and opens it; returns the file's path. Throws a
    // RunTimeException naming the file when it cannot be written or opened.
    std::string HandOver(std::unique_ptr<Workbook> workbook) override;

  private:
    WorkbookFolder folder_;
    WorkbookOpener* opener_;
};

// Hands every workbook over as the file at one given path (replaced each time).
class FileHandOver : public WorkbookHandOver {
  public:
    explicit FileHandOver(std::string path) : path_(std::move(path)) {}
    std::string HandOver(std::unique_ptr<Workbook> workbook) override;

  private:
    std::string path_;
};

}  // namespace mnemex::sheets
