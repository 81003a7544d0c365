#include "reports/text/ReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

namespace mnemex::report {

namespace {

std::string Reason(int error) {
    if (error == EEXIST)
        return "A file or directory of that name already exists.";
    std::string text = std::generic_category().message(error);
    return text + ".";
}

[[noreturn]] void FailWrite(const std::string& path, int error) {
    throw FileOperationError("The report could not be saved to:\r" + path + "\r" + Reason(error) +
                             "\rAny file already there was left unchanged.");
}

// Permissions for the new file: those of the file it replaces, else the usual ones.
mode_t ModeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes every byte, retrying interrupted and partial writes. Returns 0 or an errno value.
int WriteAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string ReportNameFromAnswer(const std::string& answer) {
    const std::string suffix = ".txt";
    if (answer.size() >= suffix.size() &&
        answer.compare(answer.size() - suffix.size(), suffix.size(), suffix) == 0)
        return answer;
    return answer + suffix;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

void WriteFileWhole(const std::string& path, const std::string& bytes) {
    // Only regular files are replaced: renaming over a device, pipe or folder would
    // destroy it rather than write to it.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        throw FileOperationError("The report could not be saved to:\r" + path +
                                 "\rThat name belongs to a directory or device, not a file.");
    }
    const std::filesystem::path target(path);
    std::string folder = target.parent_path().string();
    if (folder.empty())
        folder = ".";
    std::string pattern = JoinPath(folder, "." + target.filename().string() + ".saving-XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');

    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        FailWrite(path, errno);
    const std::string temp(name.data());
    int error = 0;
    if (::fchmod(fd, ModeFor(path)) != 0)
        error = errno;
    if (error == 0)
        error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        FailWrite(path, error);
    }
    SyncFolder(folder);
}

void CreateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) {
        throw FileOperationError("The directory could not be created:\r" + path + "\r" +
                                 Reason(errno));
    }
}

}  // namespace mnemex::report
