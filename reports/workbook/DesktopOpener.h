#pragma once
// Opening a file in the application the desktop uses for its type.

#include <sys/types.h>
#include <optional>
#include <string>
#include <vector>

namespace mnemex::sheets {

class WorkbookOpener {
  public:
    virtual ~WorkbookOpener() = default;
    // Opens the file for the user. Returns the reason when it could not.
    virtual std::optional<std::string> Open(const std::string& path) = 0;
};

// Opens files with the desktop's "xdg-open", started without a shell.
class XdgOpener : public WorkbookOpener {
  public:
    // `command` is the opener program looked up on PATH; `patience` the seconds to wait
    // for it to report failure before taking it as started.
    explicit XdgOpener(std::string command = "xdg-open", double patience = 2.0);
    ~XdgOpener() override;
    XdgOpener(const XdgOpener&) = delete;
    XdgOpener& operator=(const XdgOpener&) = delete;

    std::optional<std::string> Open(const std::string& path) override;

  private:
    void ReapFinished();

    std::string command_;
    double patience_;
    // Openers that were still running (some wait for the program they started).
    std::vector<pid_t> running_;
};

}  // namespace mnemex::sheets
