#include "pages/main/SpreadsheetHook.h"

namespace mnemex::pages {

namespace {
SpreadsheetSummaryHook& Hook() {
    static SpreadsheetSummaryHook hook;
    return hook;
}
}  // namespace

void SetSpreadsheetSummaryHook(SpreadsheetSummaryHook hook) {
    Hook() = std::move(hook);
}

const SpreadsheetSummaryHook& SpreadsheetSummary() {
    return Hook();
}

}  // namespace mnemex::pages
