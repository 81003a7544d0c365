#pragma once
// The uninstaller's operating-system services on Linux.
//
// The "Windows directory" of this platform is the installation's own system folder,
// <prefix>/lib/mnemex/system, found as ../system from the uninstaller's folder
// <prefix>/lib/mnemex/uninstall; the removal tool is installed there.

#include <chrono>
#include <functional>
#include <memory>

#include "OsServices.h"
#include "TreeSearch.h"

namespace mnemex::uninstall {

class LinuxOsServices : public OsServices {
  public:
    // searchLimit bounds how long one tree search may take before it gives up; the search
    // reads the file system through `view` (the running system's when null).
    explicit LinuxOsServices(std::chrono::milliseconds searchLimit = std::chrono::seconds(20),
                             std::shared_ptr<FileSystemView> view = nullptr);

    // What runs about every 20 ms while a tree search goes on; returning false gives the
    // search up. By default it lets the windows repaint (user input waits) and goes on.
    void SetSearchWait(std::function<bool()> whileWaiting);

    QString GetWindowsDirectory() override;
    // Walks rootPath with SearchTree on a worker thread (no links followed, pseudo, remote,
    // FUSE and automount file systems skipped, only a tool that may be started is taken).
    int SearchTreeForFile(const QString& rootPath, const QString& fileName,
                          QString& foundPath) override;
    // Splits the command line like a shell (double quotes group) and starts it detached.
    bool StartProgram(const QString& commandLine) override;
    bool FileExists(const QString& path) override;
    QString AppFolder() override;

  private:
    std::chrono::milliseconds searchLimit_;
    std::shared_ptr<FileSystemView> view_;
    std::function<bool()> whileWaiting_;
};

}  // namespace mnemex::uninstall
