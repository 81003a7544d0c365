#pragma once
// A private folder for writers that can only write to a name of their own (the spreadsheet
// and PDF writers): their file is made here, read back and handed to WriteWhole, so every
// result reaches its target the same way.

#include <optional>
#include <string>

#include "core/output/PendingNames.h"

namespace mnemex::output {

class ScratchFolder {
  public:
    // A new folder, readable by this user only, under TMPDIR (or /tmp when TMPDIR is unset
    // or not absolute). Error() says why not when it could not be made.
    ScratchFolder();
    // Removes the folder and everything in it.
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // 0 when the folder exists, else the errno value.
    int Error() const { return error_; }
    const std::string& Path() const { return path_; }
    // `name` inside the folder (only meaningful when Error() is 0).
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    int error_ = 0;
    std::optional<PendingName> pending_;  // removed too when the program ends on a signal
};

// Every byte of the file at `path`, or nothing with `error` set.
std::optional<std::string> ReadWholeFile(const std::string& path, int& error);

}  // namespace mnemex::output
