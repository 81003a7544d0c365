#include "reports/workbook/WorkbookFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "reports/workbook/SheetError.h"

namespace mnemex::sheets {

namespace {

std::string SystemTempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr && tmp[0] == '/')
        return tmp;
    return "/tmp";
}

[[noreturn]] void ThrowFolderError(const std::string& folder, const std::string& reason) {
    throw RunTimeException(RunTimeError{
        kApplicationError,
        "The workbook could not be saved in the folder " + folder + ": " + reason + ".",
        {}});
}

// The folder must be a real folder of this user: in a shared temporary folder another
// user could otherwise plant a link or read the workbooks.
void EnsurePrivateFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        ThrowFolderError(folder, std::strerror(errno));
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0)
        ThrowFolderError(folder, std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        ThrowFolderError(folder, "it is not a folder");
    if (info.st_uid != geteuid())
        ThrowFolderError(folder, "it belongs to another user");
    if ((info.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0)
        ThrowFolderError(folder, std::strerror(errno));
}

}  // namespace

WorkbookFolder::WorkbookFolder()
    : path_(SystemTempFolder() + "/mnemex-workbooks-" + std::to_string(geteuid())) {}

std::string WorkbookFolder::ReserveNewFile() const {
    EnsurePrivateFolder(path_);
    // Plenty for any session; the open with O_EXCL claims a name no other build has.
    constexpr int kMaxFiles = 1000000;
    for (int n = 1; n <= kMaxFiles; ++n) {
        const std::string file = path_ + "/Summary-" + std::to_string(n) + ".xlsx";
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return file;
        }
        if (errno != EEXIST)
            ThrowFolderError(path_, std::strerror(errno));
    }
    ThrowFolderError(path_, "it holds too many workbooks");
}

}  // namespace mnemex::sheets
