#pragma once
// What a name given for a result stands for: a file to replace, a device or pipe to write
// into, a folder, or the standard output.

#include <string>

namespace mnemex::output {

enum class TargetKind {
    kFile,            // a regular file, or a name not yet taken: replaced whole
    kStream,          // a device, FIFO or socket: written straight through
    kFolder,          // never written
    kStandardOutput,  // "-", or any name of the file open as the standard output
    kUnusable,        // the name cannot be looked at; Error says why
};

struct Target {
    TargetKind Kind = TargetKind::kFile;
    // For kFile, the name with symbolic links followed: the file that is replaced, so a
    // link keeps pointing at it. For the other kinds, the name as given.
    std::string Path;
    int Error = 0;  // errno value, for kUnusable
};

// Looks at `path`. `standardOutputFd` is the descriptor "-" stands for; a name of the same
// open file (same device and inode) means it too. Pass -1 to make only "-" mean it, or
// `namesOnly` to treat "-" and every name as a plain file name.
Target ClassifyTarget(const std::string& path, int standardOutputFd, bool namesOnly = false);

// Whether `path` names a pipe, a device or a socket (through links) rather than a stored file
// or a folder; false for a name not taken. Such a file cannot be read twice, and reading it may
// wait for a writer or never end, so what must read a file again, or may not wait, refuses it.
bool IsStreamNotFile(const std::string& path);
// Why such a name is refused, in the programs' messages.
inline constexpr const char* kStreamNotFileReason = "it is a pipe, device or socket, not a file";

// True when a result written to `path` would go to the standard output (`fd`).
bool IsStandardOutput(const std::string& path, int fd = 1);

}  // namespace mnemex::output
