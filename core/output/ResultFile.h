#pragma once
// The one way a finished result reaches the name the user gave it.
//
// - A regular file (links to it followed) or a name not yet taken is replaced whole: the
//   bytes go to a uniquely named temporary file beside it, are flushed to the disk, and the
//   temporary file is renamed over the name, keeping the old file's permissions. On any
//   failure the temporary file is removed and the old file stays as it was.
// - A device, FIFO or socket is written straight through; it is never unlinked or renamed.
// - "-", or any other name of the file open as the standard output, is the standard output
//   (unless the options ask for names only).
// - A folder is refused.
// Every write, flush and close error is reported; nothing is claimed as written otherwise.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mnemex::output {

struct WriteOptions {
    // True for names chosen on a page: only regular files (and new names) are written, and
    // "-" is just a name. Devices, pipes and sockets are refused, never written into.
    bool FilesOnly = false;
    // True for a caller whose standard output is not the writer's to use (the Python
    // module, whose sys.stdout is Python's): "-" and every other name are just names, and
    // nothing is written through StandardOutputFd. Devices and pipes are still written into.
    bool NamesOnly = false;
    // The descriptor the standard output is (-1: only "-" means it).
    int StandardOutputFd = 1;
    // Takes the bytes meant for the standard output instead of StandardOutputFd; returns
    // 0 or an errno value.
    std::function<int(std::string_view)> WriteStandardOutput;
};

enum class FailureKind {
    kSystem,    // a system call failed
    kFolder,    // the name is a folder
    kNotAFile,  // a device, pipe or socket, refused under FilesOnly
};

struct WriteFailure {
    FailureKind Kind = FailureKind::kSystem;
    int Error = 0;  // errno value (EISDIR for a folder)
    // The system's reason, e.g. "No space left on device" (no final full stop).
    std::string Reason() const;
};

// Writes `bytes` to `path` as described above. Returns nothing when every byte is there.
std::optional<WriteFailure> WriteWhole(const std::string& path, std::string_view bytes,
                                       const WriteOptions& options = {});

}  // namespace mnemex::output
