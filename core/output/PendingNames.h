#pragma once
// The temporary files and folders the writer has made under a name and not yet renamed or
// removed, so that a program ending on a signal it catches can remove them first.

#include <mutex>
#include <string>

namespace mnemex::output {

// Keeps `path` on the list of temporary names while it lives: a file, or a folder removed
// with everything in it.
class PendingName {
  public:
    PendingName(std::string path, bool folder);
    ~PendingName();
    PendingName(const PendingName&) = delete;
    PendingName& operator=(const PendingName&) = delete;

  private:
    std::size_t id_;
};

// Held while a temporary name is made, registered, renamed or removed, so that
// RemovePendingNames never runs in the middle of such a step.
std::unique_lock<std::recursive_mutex> HoldPendingNames();

// Removes every temporary name on the list. The list stays held for good, so no write
// finishes or makes a new name afterwards: call it only on the way out of the program.
void RemovePendingNames();

}  // namespace mnemex::output
