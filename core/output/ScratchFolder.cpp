#include "core/output/ScratchFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace mnemex::output {

namespace {

std::string TemporaryRoot() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr && tmp[0] == '/')
        return tmp;
    return "/tmp";
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern = TemporaryRoot() + "/mnemex-scratch-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const auto hold = HoldPendingNames();
    if (::mkdtemp(name.data()) == nullptr) {
        error_ = errno;
    } else {
        path_ = name.data();
        pending_.emplace(path_, true);
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty())
        return;
    const auto hold = HoldPendingNames();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    pending_.reset();
}

std::optional<std::string> ReadWholeFile(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace mnemex::output
