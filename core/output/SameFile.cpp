#include "core/output/SameFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/output/OutputTarget.h"

namespace mnemex::output {

namespace {

enum class Kind { kNone, kRegular, kFifo, kNew };

struct Identity {
    Kind What = Kind::kNone;
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Path;  // for kNew: where the file would be made
};

Identity Identify(const std::string& path, bool namesOnly) {
    if (path.empty() || (!namesOnly && path == "-"))
        return {};
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode))
            return {Kind::kRegular, info.st_dev, info.st_ino, {}};
        if (S_ISFIFO(info.st_mode))
            return {Kind::kFifo, info.st_dev, info.st_ino, {}};
        return {};
    }
    if (errno != ENOENT)
        return {};
    // A new name, perhaps through a dangling link: the file would be made where the links
    // end, so two names for that place are one file.
    const Target target = ClassifyTarget(path, -1, true);
    if (target.Kind != TargetKind::kFile)
        return {};
    std::error_code error;
    std::filesystem::path place = std::filesystem::weakly_canonical(target.Path, error);
    if (error)
        place = std::filesystem::absolute(target.Path, error).lexically_normal();
    return {Kind::kNew, 0, 0, place.string()};
}

}  // namespace

bool SameFile(const std::string& output, const std::string& other, OtherName role, bool namesOnly) {
    const Identity a = Identify(output, namesOnly);
    const Identity b = Identify(other, namesOnly);
    if (a.What != b.What)
        return false;
    switch (a.What) {
        case Kind::kRegular:
            return a.Device == b.Device && a.Inode == b.Inode;
        case Kind::kFifo:
            return role == OtherName::kInput && a.Device == b.Device && a.Inode == b.Inode;
        case Kind::kNew:
            return a.Path == b.Path;
        case Kind::kNone:
            break;
    }
    return false;
}

}  // namespace mnemex::output
