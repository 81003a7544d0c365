#pragma once
// A spreadsheet summary service for tests of pages: it builds nothing, counts the requests
// and runs what the test gives it with the state and the hub's feedback.

#include <functional>

#include "core/SummaryService.h"

namespace mnemex::testsupport {

class StandInSummary : public SpreadsheetSummaryService {
  public:
    void BuildSummary(PublicStuff& state, SummaryFeedback& feedback) override {
        ++Builds;
        if (OnBuild)
            OnBuild(state, feedback);
    }

    int Builds = 0;
    std::function<void(PublicStuff&, SummaryFeedback&)> OnBuild;
};

}  // namespace mnemex::testsupport
