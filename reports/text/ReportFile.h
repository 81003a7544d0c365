#pragma once
// Naming and writing report files: a report reaches the disk whole or not at all.

#include <stdexcept>
#include <string>

namespace mnemex::report {

// A file or folder operation that failed; what() is the message to show the user,
// its lines joined by CR.
class FileOperationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The report file name for a typed answer: ".txt" is appended unless the answer already
// ends in exactly ".txt" ("report" -> "report.txt", "report.TXT" -> "report.TXT.txt").
std::string ReportNameFromAnswer(const std::string& answer);

// folder, one path separator, name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Replaces (or creates) `path` with exactly `bytes`: written to a temporary file beside it,
// flushed to the disk and renamed over it (a link to a file keeps pointing at the new one).
// On failure the temporary file is removed, any file already at `path` stays as it was,
// and FileOperationError says why. A folder, device, pipe or socket is refused untouched.
void WriteFileWhole(const std::string& path, const std::string& bytes);

// Creates the folder `path` (its parent must exist). FileOperationError says why not.
void CreateFolder(const std::string& path);

}  // namespace mnemex::report
