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
        ThrowSheetError("The workbook was saved as " + path + " but could not be opened: " +
                        *failed + ". Please open it from there with a spreadsheet program.");
    return path;
}

std::string FileHandOver::HandOver(std::unique_ptr<Workbook> workbook) {
    WriteXlsxFile(*workbook, path_, options_);
    return path_;
}

}  // namespace mnemex::sheets
