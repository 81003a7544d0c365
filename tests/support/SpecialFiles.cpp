#include "tests/support/SpecialFiles.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace mnemex::testsupport {

namespace {

std::string ReadToEnd(int fd) {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

}  // namespace

bool MakeCharacterDevice(const std::filesystem::path& node, DeviceNumbers numbers) {
    return ::mknod(node.c_str(), S_IFCHR | 0666, makedev(numbers.Major, numbers.Minor)) == 0;
}

void MakeFifo(const std::filesystem::path& fifo) {
    if (::mkfifo(fifo.c_str(), 0600) != 0)
        throw std::runtime_error("cannot make the FIFO " + fifo.string());
}

BackgroundReader::BackgroundReader(std::filesystem::path wakePath, std::future<std::string> bytes)
    : wakePath_(std::move(wakePath)), bytes_(std::move(bytes)) {}

BackgroundReader::BackgroundReader(BackgroundReader&& other) noexcept
    : wakePath_(std::move(other.wakePath_)), bytes_(std::move(other.bytes_)) {
    other.wakePath_.clear();
}

BackgroundReader BackgroundReader::Fifo(const std::filesystem::path& fifo) {
    auto bytes = std::async(std::launch::async, [fifo] {
        const int fd = ::open(fifo.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::string("<cannot open>");
        std::string read = ReadToEnd(fd);
        ::close(fd);
        return read;
    });
    return BackgroundReader(fifo, std::move(bytes));
}

BackgroundReader BackgroundReader::Socket(const std::filesystem::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socket.string();
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0)
        throw std::runtime_error("cannot listen on " + path);
    auto bytes = std::async(std::launch::async, [listener] {
        const int fd = ::accept(listener, nullptr, nullptr);
        ::close(listener);
        if (fd < 0)
            return std::string("<cannot accept>");
        std::string read = ReadToEnd(fd);
        ::close(fd);
        return read;
    });
    return BackgroundReader(socket, std::move(bytes));
}

std::string BackgroundReader::Take() {
    wakePath_.clear();
    return bytes_.get();
}

BackgroundReader::~BackgroundReader() {
    if (wakePath_.empty() || !bytes_.valid())
        return;
    // Nobody wrote: connect once ourselves so the reading thread can end.
    if (bytes_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        struct stat info {};
        if (::stat(wakePath_.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
            const int fd = ::open(wakePath_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        } else {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, wakePath_.c_str(), sizeof address.sun_path - 1);
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            ::close(fd);
        }
    }
    bytes_.wait();
}

}  // namespace mnemex::testsupport
