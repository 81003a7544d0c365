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
    // Opens the file (or folder) for the user. Returns the reason when it could not.
    virtual std::optional<std::string> Open(const std::string& path) = 0;
};

// Opens files with the desktop's "xdg-open", started without a shell. Its output never
// reaches the program's terminal: it is kept aside, and when the opener fails its last
// line becomes part of the reason.
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
    // Waits a while for the started opener `pid` to fail; `output` holds what it wrote.
    std::optional<std::string> AwaitOpener(pid_t pid, int output);

    std::string command_;
    double patience_;
    // Openers that were still running (some wait for the program they started).
    std::vector<pid_t> running_;
};

}  // namespace mnemex::sheets
