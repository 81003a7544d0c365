#include "reports/workbook/SummaryFile.h"

// The browser build: no workbook writer, so no summary workbook.

namespace mnemex {

bool SummaryWorkbookAvailable() {
    return false;
}

std::string WriteSummaryWorkbookFile(PublicStuff&, const std::string&,
                                     const output::WriteOptions&) {
    return std::string("The summary workbook cannot be built: ") + kNoWorkbookReason + ".";
}

}  // namespace mnemex
