#pragma once
// The uninstaller's operating-system services on Linux.
//
// The "Windows directory" of this platform is the installation's own system folder,
// <prefix>/lib/mnemex/system, found as ../system from the uninstaller's folder
// <prefix>/lib/mnemex/uninstall; the removal tool is installed there.

#include <chrono>

#include "OsServices.h"

namespace mnemex::uninstall {

class LinuxOsServices : public OsServices {
  public:
    // searchLimit bounds how long one tree search may take before it gives up.
    explicit LinuxOsServices(std::chrono::milliseconds searchLimit = std::chrono::seconds(20));

    QString GetWindowsDirectory() override;
    // Walks rootPath with SearchTree (no links followed, pseudo file systems skipped).
    int SearchTreeForFile(const QString& rootPath, const QString& fileName,
                          QString& foundPath) override;
    // Splits the command line like a shell (double quotes group) and starts it detached.
    bool StartProgram(const QString& commandLine) override;
    bool FileExists(const QString& path) override;
    QString AppFolder() override;

  private:
    std::chrono::milliseconds searchLimit_;
};

}  // namespace mnemex::uninstall
