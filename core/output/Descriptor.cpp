#include "core/output/Descriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace mnemex::output {

namespace {

// Keeps SIGPIPE from ending the program while this thread writes: a closed pipe then shows
// as EPIPE, which is reported like any other write error. The signal the write raised is
// taken back so it never arrives later.
class PipeSignalBlocked {
  public:
    PipeSignalBlocked() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~PipeSignalBlocked() {
        if (raised_ && !wasPending_) {
            const timespec now{0, 0};
            while (sigtimedwait(&pipeOnly_, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalBlocked(const PipeSignalBlocked&) = delete;
    PipeSignalBlocked& operator=(const PipeSignalBlocked&) = delete;
    void Raised() { raised_ = true; }

  private:
    sigset_t pipeOnly_{};
    sigset_t previous_{};
    bool wasPending_ = false;
    bool raised_ = false;
};

int ConnectSocket(const std::string& path, int& error) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        error = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
    PipeSignalBlocked guard;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd wait{fd, POLLOUT, 0};
                ::poll(&wait, 1, -1);
                continue;
            }
            if (errno == EPIPE)
                guard.Raised();
            return errno;
        }
        if (n == 0)
            return EIO;  // nothing taken and no reason given: never spin on it
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

int OpenStream(const std::string& path, int& error) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0)
        return fd;
    error = errno;
    struct stat info {};
    if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
        return ConnectSocket(path, error);
    return -1;
}

int CloseReporting(int fd) {
    // Linux releases the descriptor even when close fails, so it is never retried.
    if (::close(fd) != 0 && errno != EINTR)
        return errno;
    return 0;
}

}  // namespace mnemex::output
