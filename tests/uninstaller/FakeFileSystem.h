#pragma once
// A file system for the tree search made of folders held in memory, whose folders can be slow
// or hang until released, and which records what the search asked of it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "TreeSearch.h"

namespace mnemex::uninstall {

class FakeFileSystem : public FileSystemView {
  public:
    using Path = std::filesystem::path;

    // `gone` is raised when the fake is destroyed, i.e. once nobody (no worker either) holds it.
    explicit FakeFileSystem(std::shared_ptr<std::atomic<bool>> gone = nullptr)
        : gone_(std::move(gone)) {}
    ~FakeFileSystem() override {
        if (gone_) {
            *gone_ = true;
        }
    }

    // Adds a file (and the folders above it up to the root) to the tree.
    void AddFile(const Path& file) { Add(file, std::filesystem::file_type::regular); }
    void AddFolder(const Path& folder) { Add(folder, std::filesystem::file_type::directory); }
    // Listing `folder` blocks until Release().
    void Hang(const Path& folder) { hung_.insert(folder); }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        wake_.notify_all();
    }
    // Every listing takes this long.
    std::chrono::milliseconds delay{0};
    // Folders the search must not enter; files that may not be started.
    std::vector<Path> skipped;
    std::set<Path> untrusted;

    // Folders listed, in order (a hung folder counts when its listing begins).
    std::vector<Path> Listed() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return listed_;
    }
    // Listings begun after Release().
    int ListedAfterRelease() const { return listedAfterRelease_; }

    std::optional<std::vector<FolderEntry>> List(const Path& folder) override {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            listed_.push_back(folder);
            if (released_) {
                ++listedAfterRelease_;
            }
            if (hung_.count(folder) != 0) {
                wake_.wait(lock, [this] { return released_; });
            }
        }
        std::this_thread::sleep_for(delay);
        const auto it = folders_.find(folder);
        if (it == folders_.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    bool MayStart(const Path& file) override { return untrusted.count(file) == 0; }
    std::vector<Path> SkippedFolders() override { return skipped; }

  private:
    void Add(const Path& path, std::filesystem::file_type type) {
        if (type == std::filesystem::file_type::directory) {
            folders_[path];  // listed, even while empty
        }
        const Path parent = path.parent_path();
        auto& entries = folders_[parent];
        for (const FolderEntry& e : entries) {
            if (e.name == path.filename().string()) {
                return;
            }
        }
        entries.push_back({path.filename().string(), type});
        if (parent != parent.root_path()) {
            AddFolder(parent);
        }
    }

    std::shared_ptr<std::atomic<bool>> gone_;
    std::map<Path, std::vector<FolderEntry>> folders_;
    std::set<Path> hung_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool released_ = false;
    std::vector<Path> listed_;
    std::atomic<int> listedAfterRelease_{0};
};

}  // namespace mnemex::uninstall
