#pragma once
// The installation log: which files an installation wrote, and where that installation lives.
//
// Format (UTF-8 text, one entry a line, LF or CR LF line ends):
//   line 1        "# Mnemex installation log" (anything else is not our log)
//   "# ..." lines comments, ignored; blank lines ignored
//   other lines   the absolute path of one installed file
// The log itself lies in <prefix>/lib/mnemex/uninstall/, which tells the removal tool the prefix.

#include <filesystem>
#include <string>
#include <vector>

namespace mnemex::removal {

// First line of every installation log.
inline constexpr const char* kLogSignature = "# Mnemex installation log";
// The log's folder, relative to the installation prefix.
inline constexpr const char* kUninstallFolder = "lib/mnemex/uninstall";

// The files to remove and the prefix they must lie in, both with symbolic links in their folders
// resolved; problem is empty when the log is usable.
struct RemovalPlan {
    std::filesystem::path prefix;
    std::vector<std::filesystem::path> files;
    std::string problem;
};

// The prefix an installation log at logFile belongs to, or an empty path if the log does not
// lie in an installation's uninstall folder.
std::filesystem::path PrefixOfLog(const std::filesystem::path& logFile);

// Reads and checks the whole log before anything is removed: every entry must name a file
// inside the prefix (not through a symbolic link that leads out of it) and not a folder.
RemovalPlan PlanRemoval(const std::filesystem::path& logFile);

}  // namespace mnemex::removal
