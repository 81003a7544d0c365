#pragma once
// Hands a finished workbook to the user's spreadsheet program: a new file in the
// program's workbook folder, opened with the desktop's application for .xlsx files.

#include <memory>
#include <optional>
#include <string>

#include "core/output/ResultFile.h"
#include "reports/workbook/DesktopOpener.h"
#include "reports/workbook/SpreadsheetApplication.h"
#include "reports/workbook/WorkbookFolder.h"

namespace mnemex::sheets {

// A workbook saved as a file that no program on the desktop could open.
struct UnopenedWorkbook {
    std::string Path;    // the file, in full
    std::string Folder;  // the folder that holds it
    std::string Reason;  // why the desktop could not open it
};

class DesktopHandOver : public WorkbookHandOver {
  public:
    DesktopHandOver(WorkbookFolder folder, WorkbookOpener& opener);
    // Writes the workbook to a new file and opens it; returns the file's path. Throws a
    // RunTimeException naming the file when it cannot be written. A file that is written
    // but that no program opens is not a failure of the summary: it is remembered for
    // TakeUnopened, so the user can be told where it is.
    std::string HandOver(std::unique_ptr<Workbook> workbook) override;
    // The last workbook saved but not opened since the previous call, if any.
    std::optional<UnopenedWorkbook> TakeUnopened();

  private:
    WorkbookFolder folder_;
    WorkbookOpener* opener_;
    std::optional<UnopenedWorkbook> unopened_;
};

// What the user reads about a workbook no program could open: where it is and why.
std::string UnopenedWorkbookMessage(const UnopenedWorkbook& workbook);

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
