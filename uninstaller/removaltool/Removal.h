#pragma once
// Carrying out a checked removal plan.

#include <filesystem>
#include <string>
#include <vector>

#include "InstallLog.h"

namespace mnemex::removal {

struct RemovalOutcome {
    int removed = 0;                    // files (and links) deleted
    int alreadyGone = 0;                // listed files that no longer existed
    int foldersRemoved = 0;             // folders left empty and deleted
    std::vector<std::string> failures;  // "path: reason" for files that could not be deleted
};

// Deletes every file of the plan, then every folder between those files and the prefix that
// is left empty; the prefix itself and anything not listed stay. The plan must have no problem.
RemovalOutcome CarryOut(const RemovalPlan& plan);

// The text the tool shows when it has finished, lines joined by LF.
std::string OutcomeMessage(const RemovalOutcome& outcome);

}  // namespace mnemex::removal
