#include "core/output/ResultFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#include "core/output/Descriptor.h"
#include "core/output/OutputTarget.h"
#include "core/output/PendingNames.h"

namespace mnemex::output {

namespace {

// Temporary names must stay within the system's limit on one name.
constexpr std::size_t kLongestKeptName = 200;

std::optional<WriteFailure> SystemFailure(int error) {
    return WriteFailure{FailureKind::kSystem, error};
}

// The process's umask, read without changing it where the system allows.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The unique temporary name beside `path`, as an mkstemp pattern.
std::vector<char> TemporaryPattern(const std::string& folder, const std::string& name) {
    const std::string stem = name.size() <= kLongestKeptName ? name : "result";
    const std::string pattern = folder + "/." + stem + ".saving-XXXXXX";
    std::vector<char> text(pattern.begin(), pattern.end());
    text.push_back('\0');
    return text;
}

// The new file takes the old one's permissions (and owner, where allowed).
int TakeOverAttributes(int fd, const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only the owner or root may give the file away; the permissions still hold.
        }
        return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
    }
    return ::fchmod(fd, 0666 & ~CurrentUmask()) == 0 ? 0 : errno;
}

// Fills the pattern's XXXXXX with random letters and digits.
void FillPattern(std::vector<char>& pattern) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    const std::size_t end = pattern.size() - 1;  // the final '\0'
    for (std::size_t k = end - 6; k < end; ++k)
        pattern[k] = kLetters[random() % (sizeof kLetters - 1)];
}

// Gives the anonymous file `fd` the temporary name in `temp` (filled in here); 0 or errno.
int LinkAnonymousFile(int fd, std::vector<char>& temp) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int tries = 0; tries < 100; ++tries) {
        FillPattern(temp);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.data(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// The bytes, their permissions and a flush to the disk, on an open temporary file.
int FillFile(int fd, const std::string& path, std::string_view bytes) {
    int error = TakeOverAttributes(fd, path);
    if (error == 0)
        error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    return error;
}

// Where the system allows, the file is written without a name (O_TMPFILE) and linked
// under its temporary name only just before the rename: a temporary name then exists for
// two system calls, and never while the bytes are written. Nothing when the folder's file
// system cannot do that (false), so the caller writes a named temporary file instead.
// Otherwise the errno value of a failure, or 0, in `error`.
bool ReplaceThroughAnonymousFile(const std::string& path, const std::string& folder,
                                 std::vector<char> temp, std::string_view bytes, int& error) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    error = FillFile(fd, path, bytes);
    if (error != 0) {
        ::close(fd);
        return true;
    }
    const auto hold = HoldPendingNames();
    if (LinkAnonymousFile(fd, temp) != 0) {
        ::close(fd);  // no /proc, say: written again under a name
        return false;
    }
    PendingName pending(temp.data(), false);
    error = CloseReporting(fd);
    if (error == 0 && ::rename(temp.data(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.data());
    return true;
}

std::optional<WriteFailure> ReplaceFile(const std::string& path, std::string_view bytes) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return WriteFailure{FailureKind::kFolder, EISDIR};
    std::vector<char> temp = TemporaryPattern(folder == "/" ? "" : folder, name);
    if (int error = 0; ReplaceThroughAnonymousFile(path, folder, temp, bytes, error)) {
        if (error != 0)
            return SystemFailure(error);
        SyncFolder(folder);
        return std::nullopt;
    }
    std::optional<PendingName> pending;
    int fd = -1;
    {
        const auto hold = HoldPendingNames();
        fd = ::mkstemp(temp.data());
        if (fd < 0)
            return SystemFailure(errno);
        pending.emplace(temp.data(), false);
    }
    int error = FillFile(fd, path, bytes);
    const int closed = CloseReporting(fd);
    if (error == 0)
        error = closed;
    const auto hold = HoldPendingNames();
    if (error == 0 && ::rename(temp.data(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.data());
        return SystemFailure(error);
    }
    pending.reset();
    SyncFolder(folder);
    return std::nullopt;
}

std::optional<WriteFailure> WriteIntoStream(const std::string& path, std::string_view bytes) {
    int error = 0;
    const int fd = OpenStream(path, error);
    if (fd < 0)
        return SystemFailure(error);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // The name was turned into a file meanwhile: files are only ever replaced whole.
        ::close(fd);
        return ReplaceFile(path, bytes);
    }
    error = WriteAll(fd, bytes);
    const int closed = CloseReporting(fd);
    return error != 0 ? SystemFailure(error) : closed != 0 ? SystemFailure(closed) : std::nullopt;
}

std::optional<WriteFailure> WriteStandardOutput(std::string_view bytes,
                                                const WriteOptions& options) {
    if (options.WriteStandardOutput) {
        const int error = options.WriteStandardOutput(bytes);
        return error != 0 ? SystemFailure(error) : std::nullopt;
    }
    const int fd = options.StandardOutputFd;
    if (fd < 0)
        return SystemFailure(EBADF);
    if (const int error = WriteAll(fd, bytes); error != 0)
        return SystemFailure(error);
    // A file behind the standard output is flushed too, so a late disk error is seen.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::fsync(fd) != 0 && errno != EINVAL)
        return SystemFailure(errno);
    return std::nullopt;
}

}  // namespace

std::string WriteFailure::Reason() const {
    if (Kind == FailureKind::kNotAFile)
        return "It is a device, pipe or socket, not a file";
    return std::generic_category().message(Kind == FailureKind::kFolder ? EISDIR : Error);
}

std::optional<WriteFailure> WriteWhole(const std::string& path, std::string_view bytes,
                                       const WriteOptions& options) {
    const Target target =
        ClassifyTarget(path, options.StandardOutputFd, options.FilesOnly || options.NamesOnly);
    switch (target.Kind) {
        case TargetKind::kUnusable:
            return SystemFailure(target.Error);
        case TargetKind::kFolder:
            return WriteFailure{FailureKind::kFolder, EISDIR};
        case TargetKind::kStandardOutput:
            return WriteStandardOutput(bytes, options);
        case TargetKind::kStream:
            if (options.FilesOnly)
                return WriteFailure{FailureKind::kNotAFile, 0};
            return WriteIntoStream(target.Path, bytes);
        case TargetKind::kFile:
            break;
    }
    return ReplaceFile(target.Path, bytes);
}

}  // namespace mnemex::output
