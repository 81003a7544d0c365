#pragma once
// Writing a workbook as an .xlsx file.

#include <string>

#include "core/output/ResultFile.h"
#include "reports/workbook/Workbook.h"

namespace mnemex::sheets {

// Writes the workbook to `path` through output::WriteWhole (a file is replaced only once
// the new one is complete). Numbers are written with a decimal point whatever the process
// locale says. Throws RunTimeException (naming the file) when it cannot be written.
void WriteXlsxFile(const Workbook& workbook, const std::string& path,
                   const output::WriteOptions& options = {});

// The formula text a workbook name refers to, e.g. ='SSE Data'!$A$2:$B$2002.
std::string NameFormula(const DefinedName& name);

}  // namespace mnemex::sheets
