#include "ToolTrust.h"

#include <sys/stat.h>

namespace mnemex::uninstall {

namespace {

constexpr uid_t kRoot = 0;

bool WritableByOthers(mode_t mode) {
    return (mode & (S_IWGRP | S_IWOTH)) != 0;
}

}  // namespace

bool StepIsSafe(const PathOwnership& step, bool isFile, uid_t user) {
    if (step.owner != kRoot && step.owner != user) {
        return false;
    }
    if (isFile) {
        return S_ISREG(step.mode) && !WritableByOthers(step.mode);
    }
    if (!S_ISDIR(step.mode)) {
        return false;  // a link (or anything else) could lead anywhere
    }
    if (!WritableByOthers(step.mode)) {
        return true;
    }
    return step.owner == kRoot && (step.mode & S_ISVTX) != 0;
}

bool MayStartTool(const std::filesystem::path& file, uid_t user) {
    if (!file.is_absolute() || !file.has_filename()) {
        return false;
    }
    std::filesystem::path step = file.lexically_normal();
    if (step != file) {
        return false;  // ".", ".." or doubled separators: judge only plain paths
    }
    bool isFile = true;
    for (;;) {
        struct stat info {};
        if (::lstat(step.c_str(), &info) != 0 ||
            !StepIsSafe({info.st_uid, info.st_mode}, isFile, user)) {
            return false;
        }
        if (step == step.root_path()) {
            return true;
        }
        step = step.parent_path();
        isFile = false;
    }
}

}  // namespace mnemex::uninstall
