#include "reports/workbook/DesktopHandOver.h"

#include <cstdio>
#include <utility>

#include "reports/workbook/SheetError.h"
#include "reports/workbook/XlsxFile.h"

namespace mnemex::sheets {

DesktopHandOver::DesktopHandOver(WorkbookFolder folder, WorkbookOpener& opener)
    : folder_(std::move(folder)), opener_(&opener) {}

std::string DesktopHandOver::HandOver(std::unique_ptr<Workbook> workbook) {
    const std::string path = folder_.ReserveNewFile();
    try {
        output::WriteOptions filesOnly;
        filesOnly.FilesOnly = true;  // the reserved file in the private folder
        WriteXlsxFile(*workbook, path, filesOnly);
    } catch (...) {
        std::remove(path.c_str());  // the empty reservation must not look like a workbook
        throw;
    }
    workbook.reset();  // its contents now live in the file
    if (const auto failed = opener_->Open(path))
        unopened_ = UnopenedWorkbook{path, folder_.Path(), *failed};
    return path;
}

std::optional<UnopenedWorkbook> DesktopHandOver::TakeUnopened() {
    return std::exchange(unopened_, std::nullopt);
}

std::string UnopenedWorkbookMessage(const UnopenedWorkbook& workbook) {
    // Lines joined by CR, as every message of the program.
    return "The spreadsheet summary was saved as\r" + workbook.Path +
           "\r\rbut no program on this computer could open it: " + workbook.Reason +
           ".\rYou can open the file from that folder with a spreadsheet program.";
}

std::string FileHandOver::HandOver(std::unique_ptr<Workbook> workbook) {
    WriteXlsxFile(*workbook, path_, options_);
    return path_;
}

}  // namespace mnemex::sheets
