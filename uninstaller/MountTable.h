#pragma once
// Which mounted folders the tree search stays out of.
//
// A network share, a FUSE file system or an automounter can keep a program waiting without
// end when it is read (a server gone away, a FUSE daemon hung, a mount that never comes up),
// and the removal tool is never installed there. The search skips them by their file-system
// type, read from the mount table, so it never even looks inside.

#include <filesystem>
#include <string>
#include <vector>

namespace mnemex::uninstall {

// True for remote, FUSE and automount file-system types (nfs, nfs4, cifs, smb3, 9p,
// fuse and fuse.*, autofs, ...).
bool IsRemoteOrAutomountType(const std::string& type);

// The mount points of such file systems in a mount table in the format of
// /proc/self/mountinfo (mount point in the fifth field, octal escapes such as \040 for a
// blank, the type after the " - " separator).
std::vector<std::filesystem::path> SkippedMountPoints(const std::string& mountInfo);

// The same for the running system's own mount table; empty when it cannot be read.
std::vector<std::filesystem::path> SystemSkippedMountPoints();

}  // namespace mnemex::uninstall
