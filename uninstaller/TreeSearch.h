#pragma once
// Finding a file by name in a directory tree, the way the uninstaller looks for the removal tool.
//
// The walk runs on a worker thread. The caller waits for it at most the time limit, and keeps
// its window painted meanwhile; a folder that blocks for ever (a hung network or FUSE mount)
// therefore cannot hold the uninstaller past the limit: the worker is abandoned, left to end on
// its own, and shares nothing with the caller that could go away before it does.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mnemex::uninstall {

// One entry of a folder: its name and its own type (links not followed).
struct FolderEntry {
    std::string name;
    std::filesystem::file_type type = std::filesystem::file_type::none;
};

// What the walk needs from the file system; tests hand in slow or hung ones.
class FileSystemView {
  public:
    virtual ~FileSystemView() = default;
    // The entries of `folder`, or nothing when it cannot be read.
    virtual std::optional<std::vector<FolderEntry>> List(const std::filesystem::path& folder) = 0;
    // Whether a found file may be started (see ToolTrust.h).
    virtual bool MayStart(const std::filesystem::path& file) = 0;
    // Folders never entered: mount points of remote, FUSE and automount file systems.
    virtual std::vector<std::filesystem::path> SkippedFolders() = 0;
};

// The running system: std::filesystem, the ownership rule for the user running the program,
// and the mount table.
class SystemFileSystem : public FileSystemView {
  public:
    std::optional<std::vector<FolderEntry>> List(const std::filesystem::path& folder) override;
    bool MayStart(const std::filesystem::path& file) override;
    std::vector<std::filesystem::path> SkippedFolders() override;
};

// Walks the tree under root breadth first (names in each folder in sorted order) for a regular
// file named fileName, exactly as written, that may be started; a match that may not is passed
// over. Links are not followed; unreadable folders, the kernel's pseudo file systems /proc,
// /sys, /dev and /run, and the view's skipped folders below the root are left out. Asks keepGoing
// before each folder and each match and gives up when it says no. Returns the first match or an
// empty path.
std::filesystem::path WalkTree(FileSystemView& view, const std::filesystem::path& root,
                               const std::string& fileName, const std::function<bool()>& keepGoing);

// Runs WalkTree on a worker thread and waits for it at most timeLimit. While waiting it calls
// whileWaiting about every 20 ms (to keep a window painted); when that returns false the
// search is given up at once. A search given up is abandoned, not waited for. Returns the
// match, or an empty path when there is none, time ran out or the search was given up.
std::filesystem::path SearchTree(std::shared_ptr<FileSystemView> view,
                                 const std::filesystem::path& root, const std::string& fileName,
                                 std::chrono::milliseconds timeLimit,
                                 const std::function<bool()>& whileWaiting = {});

// SearchTree on the running system, without anything to do while waiting.
std::filesystem::path SearchTree(const std::filesystem::path& root, const std::string& fileName,
                                 std::chrono::milliseconds timeLimit);

}  // namespace mnemex::uninstall
