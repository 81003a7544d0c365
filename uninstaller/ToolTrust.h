#pragma once
// Whether a removal tool found somewhere on the disk may be started.
//
// The uninstaller often runs as root, and the tool it starts runs with the same rights. A file
// that anybody else could have put in place, or could swap before it is started, must not be
// run: the file and every folder above it must belong to root or to the user running the
// uninstaller, and none of them may be writable by group or others. A folder owned by root with
// the sticky bit (such as /tmp) may be crossed although anybody can write to it, because nobody
// can rename or remove what belongs to someone else there; what lies in it is judged by its own
// owner and mode like everything else.

#include <sys/types.h>

#include <filesystem>

namespace mnemex::uninstall {

// Owner and mode of one path, as lstat reports them (links not followed).
struct PathOwnership {
    uid_t owner = 0;
    mode_t mode = 0;  // type and permission bits
};

// The rule for one step of the path: the file itself (`isFile`) or a folder above it.
bool StepIsSafe(const PathOwnership& step, bool isFile, uid_t user);

// Applies the rule to `file` (absolute) and every folder above it, with the real owners and
// modes. A symbolic link anywhere on the way, or a path that cannot be examined, is not trusted.
bool MayStartTool(const std::filesystem::path& file, uid_t user);

}  // namespace mnemex::uninstall
