#pragma once
// The hub's "Create A Summary In Excel" entry runs a summary build the program plugs in.
// The build reports through the hub's feedback line and progress bar.

#include <functional>
#include <string>

#include "core/PublicStuff.h"

namespace mnemex::pages {

// The hub's FeedBackLabel and ExcelProgressBar, as a summary build sees them. Every call
// shows at once, since the build runs inside the double-click.
class SummaryFeedback {
  public:
    virtual ~SummaryFeedback() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgressValue(int value) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
};

// Builds the summary from the program-wide state; returns when it is built or has failed
// (reporting its own messages).
using SpreadsheetSummaryHook = std::function<void(PublicStuff&, SummaryFeedback&)>;

// Sets (or, with an empty function, removes) the build the hub's entry runs.
void SetSpreadsheetSummaryHook(SpreadsheetSummaryHook hook);
const SpreadsheetSummaryHook& SpreadsheetSummary();

}  // namespace mnemex::pages
