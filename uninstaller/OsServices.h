#pragma once
// The operating-system services the uninstaller needs, behind one interface so that each
// platform (and each test) supplies its own: on Windows the kernel32 and IMAGEHLP calls, on
// Linux LinuxOsServices.

#include <QString>

namespace mnemex::uninstall {

class OsServices {
  public:
    virtual ~OsServices() = default;
    // The folder where the platform keeps its removal tool (the "Windows directory").
    virtual QString GetWindowsDirectory() = 0;
    // Looks for a file named fileName in the tree under rootPath; non-zero when found, and then
    // foundPath holds its full path.
    virtual int SearchTreeForFile(const QString& rootPath, const QString& fileName,
                                  QString& foundPath) = 0;
    // Starts the program the command line names, without waiting for it; false if it could not
    // be started.
    virtual bool StartProgram(const QString& commandLine) = 0;
    // Whether a normal file (not a folder) exists at path.
    virtual bool FileExists(const QString& path) = 0;
    // The folder of the running program.
    virtual QString AppFolder() = 0;
};

}  // namespace mnemex::uninstall
