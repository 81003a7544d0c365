#include "InstallLog.h"

#include <fstream>
#include <system_error>

namespace mnemex::removal {
namespace fs = std::filesystem;

namespace {

// True when path is below folder, component by component (a plain string prefix would let
// /opt/mnemex2 pass for /opt/mnemex).
bool IsStrictlyInside(const fs::path& path, const fs::path& folder) {
    auto p = path.begin();
    for (auto f = folder.begin(); f != folder.end(); ++f, ++p) {
        if (f->empty()) {
            continue;  // the empty last element of a folder written with a trailing "/"
        }
        if (p == path.end() || *p != *f) {
            return false;
        }
    }
    for (; p != path.end(); ++p) {
        if (!p->empty()) {
            return true;
        }
    }
    return false;
}

bool HasDotComponents(const fs::path& path) {
    for (const auto& part : path) {
        if (part == "." || part == "..") {
            return true;
        }
    }
    return false;
}

std::string Refusal(const fs::path& log, int lineNumber, const std::string& entry,
                    const std::string& why) {
    return "Nothing was removed: line " + std::to_string(lineNumber) + " of " + log.string() +
           " (" + entry + ") " + why;
}

// Checks one entry and gives back where it really lies (its folder with symbolic links
// resolved), or the reason it is refused.
std::string CheckEntry(const fs::path& entry, const fs::path& realPrefix, fs::path& realEntry) {
    if (!entry.is_absolute()) {
        return "is not an absolute path.";
    }
    if (HasDotComponents(entry) || entry.filename().empty()) {
        return "is not a plain file path.";
    }
    // Judged on the resolved folder, so that neither another spelling of the prefix nor a
    // link inside it pointing elsewhere can carry a removal out of the installation.
    std::error_code ec;
    const fs::path realParent = fs::weakly_canonical(entry.parent_path(), ec);
    if (ec || !(realParent == realPrefix || IsStrictlyInside(realParent, realPrefix))) {
        return "names a file outside the installation folder " + realPrefix.string() + ".";
    }
    realEntry = realParent / entry.filename();
    const auto status = fs::symlink_status(realEntry, ec);
    if (!ec && fs::is_directory(status)) {
        return "names a folder, not a file.";
    }
    return {};
}

}  // namespace

fs::path PrefixOfLog(const fs::path& logFile) {
    if (!logFile.is_absolute() || HasDotComponents(logFile)) {
        return {};
    }
    fs::path folder = logFile.parent_path();
    const fs::path tail(kUninstallFolder);
    std::vector<fs::path> tailParts(tail.begin(), tail.end());
    for (auto it = tailParts.rbegin(); it != tailParts.rend(); ++it) {
        if (folder.filename() != *it || folder == folder.root_path()) {
            return {};
        }
        folder = folder.parent_path();
    }
    return folder;
}

RemovalPlan PlanRemoval(const fs::path& logFile) {
    RemovalPlan plan;
    plan.prefix = PrefixOfLog(logFile);
    if (plan.prefix.empty()) {
        plan.problem = "Nothing was removed: " + logFile.string() +
                       " does not lie in the uninstall folder of an installation (" +
                       kUninstallFolder + ").";
        return plan;
    }
    std::ifstream in(logFile, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        plan.problem =
            "Nothing was removed: the installation log " + logFile.string() + " cannot be read.";
        return plan;
    }
    auto chomp = [](std::string& text) {
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
    };
    chomp(line);
    if (line != kLogSignature) {
        plan.problem =
            "Nothing was removed: " + logFile.string() + " is not a Mnemex installation log.";
        return plan;
    }
    std::error_code ec;
    const fs::path realPrefix = fs::canonical(plan.prefix, ec);
    if (ec) {
        plan.problem = "Nothing was removed: the installation folder " + plan.prefix.string() +
                       " cannot be examined.";
        return plan;
    }
    int lineNumber = 1;
    while (std::getline(in, line)) {
        ++lineNumber;
        chomp(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        fs::path realEntry;
        const std::string why = CheckEntry(fs::path(line), realPrefix, realEntry);
        if (!why.empty()) {
            plan.problem = Refusal(logFile, lineNumber, line, why);
            plan.files.clear();
            return plan;
        }
        plan.files.push_back(realEntry);
    }
    plan.prefix = realPrefix;
    if (in.bad()) {
        plan.problem =
            "Nothing was removed: the installation log " + logFile.string() + " cannot be read.";
        plan.files.clear();
    }
    return plan;
}

}  // namespace mnemex::removal
