#pragma once
// The program's own folder of summary workbooks handed to the desktop.

#include <string>

namespace mnemex::sheets {

class WorkbookFolder {
  public:
    // The folder "mnemex-workbooks-<user id>" in the system's temporary folder.
    WorkbookFolder();
    explicit WorkbookFolder(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // Creates the folder if needed (private to the user) and reserves a new file
    // "Summary-N.xlsx" in it, N counting from 1; returns its path.
    // Throws RunTimeException naming the folder when it cannot.
    std::string ReserveNewFile() const;

  private:
    std::string path_;
};

}  // namespace mnemex::sheets
