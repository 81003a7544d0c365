#pragma once
// Hands a finished workbook to the user's spreadsheet program: a new file in the
// program's workbook folder, opened with the desktop's application for .xlsx files.

#include <memory>
#include <string>

#include "core/output/ResultFile.h"
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

// Hands every workbook over as the file at one given path (replaced each time), written
// by the rules of `options` (the command line writes into devices and the standard output).
class FileHandOver : public WorkbookHandOver {
  public:
    explicit FileHandOver(std::string path, output::WriteOptions options = {})
        : path_(std::move(path)), options_(std::move(options)) {}
    std::string HandOver(std::unique_ptr<Workbook> workbook) override;

  private:
    std::string path_;
    output::WriteOptions options_;
};

}  // namespace mnemex::sheets
