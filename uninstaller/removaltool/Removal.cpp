#include "Removal.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace mnemex::removal {
namespace fs = std::filesystem;

namespace {

std::size_t Depth(const fs::path& path) {
    return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

}  // namespace

RemovalOutcome CarryOut(const RemovalPlan& plan) {
    RemovalOutcome outcome;
    if (!plan.problem.empty()) {
        return outcome;
    }
    std::set<fs::path> folders;
    for (const auto& file : plan.files) {
        std::error_code ec;
        // symlink_status: a listed link is removed itself, never what it points to.
        const auto status = fs::symlink_status(file, ec);
        if (status.type() == fs::file_type::not_found) {
            ++outcome.alreadyGone;
        } else if (fs::remove(file, ec) && !ec) {
            ++outcome.removed;
        } else {
            outcome.failures.push_back(file.string() + ": " +
                                       (ec ? ec.message() : std::string("not removed")));
            continue;
        }
        for (fs::path folder = file.parent_path();
             folder != plan.prefix && Depth(folder) > Depth(plan.prefix);
             folder = folder.parent_path()) {
            folders.insert(folder);
        }
    }
    // Deepest first, so a folder emptied by removing its empty subfolders goes too.
    std::vector<fs::path> ordered(folders.begin(), folders.end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const fs::path& a, const fs::path& b) { return Depth(a) > Depth(b); });
    for (const auto& folder : ordered) {
        std::error_code ec;
        if (fs::is_directory(fs::symlink_status(folder, ec)) && fs::is_empty(folder, ec) && !ec &&
            fs::remove(folder, ec) && !ec) {
            ++outcome.foldersRemoved;
        }
    }
    return outcome;
}

std::string OutcomeMessage(const RemovalOutcome& outcome) {
    if (outcome.failures.empty()) {
        return "Mnemex has been removed (" + std::to_string(outcome.removed) + " files).";
    }
    std::string text = "Mnemex was only partly removed. These files could not be removed:";
    for (const auto& failure : outcome.failures) {
        text += "\n" + failure;
    }
    return text;
}

}  // namespace mnemex::removal
