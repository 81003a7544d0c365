#include "core/output/OutputTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace mnemex::output {

namespace {

// More links in a row than this is a loop, as the system itself counts.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash + 1);
}

// Follows symbolic links in the last part of `path` until it names something else or
// nothing. Returns the final name, or sets `error`.
std::string FollowLinks(std::string path, int& error) {
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return path;  // a name not yet taken (or a link to one): created there
            error = errno;
            return {};
        }
        if (!S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) +
                                 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            error = errno;
            return {};
        }
        if (static_cast<std::size_t>(n) >= target.size()) {
            error = ENAMETOOLONG;  // the link changed while it was read
            return {};
        }
        const std::string next(target.data(), static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : FolderOf(path) + next;
    }
    error = ELOOP;
    return {};
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

Target ClassifyTarget(const std::string& path, int standardOutputFd, bool namesOnly) {
    if (!namesOnly && path == "-")
        return {TargetKind::kStandardOutput, path, 0};
    if (path.empty())
        return {TargetKind::kUnusable, path, ENOENT};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return {TargetKind::kUnusable, path, errno};
        int error = 0;
        std::string final = FollowLinks(path, error);
        if (error != 0)
            return {TargetKind::kUnusable, path, error};
        return {TargetKind::kFile, final, 0};
    }
    struct stat out {};
    if (!namesOnly && standardOutputFd >= 0 && ::fstat(standardOutputFd, &out) == 0 &&
        SameFile(info, out))
        return {TargetKind::kStandardOutput, path, 0};
    if (S_ISDIR(info.st_mode))
        return {TargetKind::kFolder, path, 0};
    if (!S_ISREG(info.st_mode))
        return {TargetKind::kStream, path, 0};
    int error = 0;
    std::string final = FollowLinks(path, error);
    if (error != 0)
        return {TargetKind::kUnusable, path, error};
    return {TargetKind::kFile, final, 0};
}

bool IsStreamNotFile(const std::string& path) {
    // Names only, so "-" and the standard output's names count as the files they are.
    return ClassifyTarget(path, -1, /*namesOnly=*/true).Kind == TargetKind::kStream;
}

bool IsStandardOutput(const std::string& path, int fd) {
    return ClassifyTarget(path, fd).Kind == TargetKind::kStandardOutput;
}

}  // namespace mnemex::output
