#pragma once
// For tests of files that once made the program wait for ever: a FIFO fed from a thread of
// its own that never waits for a reader that does not come, and a call bounded in time,
// after which whatever waits on the FIFO is woken and the test fails instead of hanging.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <thread>

namespace mnemex::testsupport {

// Writes `bytes` into `fifo` once a reader opens it, on its own thread. It polls instead of
// waiting in open(), so it ends when destroyed whether a reader came or not.
class FifoFeeder {
  public:
    FifoFeeder(std::filesystem::path fifo, std::string bytes)
        : fifo_(std::move(fifo)), bytes_(std::move(bytes)), thread_([this] { Feed(); }) {}
    ~FifoFeeder() {
        done_ = true;
        thread_.join();
    }
    FifoFeeder(const FifoFeeder&) = delete;
    FifoFeeder& operator=(const FifoFeeder&) = delete;
    bool Fed() const { return fed_; }

  private:
    void Feed() {
        // A reader that goes away early gives EPIPE here, not a signal for the whole test.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        while (!done_) {
            const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            ::fcntl(fd, F_SETFL, 0);
            std::size_t at = 0;
            while (at < bytes_.size()) {
                const ssize_t n = ::write(fd, bytes_.data() + at, bytes_.size() - at);
                if (n <= 0)
                    break;
                at += static_cast<std::size_t>(n);
            }
            ::close(fd);
            fed_ = true;
            return;
        }
    }
    std::filesystem::path fifo_;
    std::string bytes_;
    std::atomic<bool> done_{false}, fed_{false};
    std::thread thread_;
};

// Runs `call` and returns its result. When it has not returned within `limit`, the test
// fails and `fifo` is opened for writing and closed again and again, which ends any read
// that waits on it, until the call returns; a call that still does not return (reading a
// device without end) ends the test program after as long again.
template <typename Call>
auto FinishesWithin(std::chrono::seconds limit, const std::filesystem::path& fifo, Call&& call) {
    auto result = std::async(std::launch::async, std::forward<Call>(call));
    if (result.wait_for(limit) == std::future_status::timeout) {
        ADD_FAILURE() << "still waiting after " << limit.count() << " s";
        const auto giveUp = std::chrono::steady_clock::now() + limit;
        while (result.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout) {
            if (std::chrono::steady_clock::now() > giveUp)
                std::abort();
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }
    return result.get();
}

}  // namespace mnemex::testsupport
