#pragma once
// Finding a file by name in a directory tree, the way the uninstaller looks for the removal tool.

#include <chrono>
#include <filesystem>
#include <string>

namespace mnemex::uninstall {

// Walks the tree under root breadth first (names in each folder in sorted order) for a regular
// file named fileName, exactly as written. Symbolic links are not followed, unreadable folders
// are skipped, and so are the kernel's pseudo file systems /proc, /sys, /dev and /run. Gives up
// after timeLimit. Returns the first match, or an empty path.
std::filesystem::path SearchTree(const std::filesystem::path& root, const std::string& fileName,
                                 std::chrono::milliseconds timeLimit);

}  // namespace mnemex::uninstall
