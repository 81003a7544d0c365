#include "reports/workbook/DesktopOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace mnemex::sheets {

XdgOpener::XdgOpener(std::string command, double patience)
    : command_(std::move(command)), patience_(patience) {}

XdgOpener::~XdgOpener() {
    ReapFinished();
}

void XdgOpener::ReapFinished() {
    std::vector<pid_t> still;
    for (pid_t pid : running_) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == 0)
            still.push_back(pid);
    }
    running_ = std::move(still);
}

std::optional<std::string> XdgOpener::Open(const std::string& path) {
    ReapFinished();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The opener must not read from the program's terminal, nor write into its output.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string program = command_;
    std::string file = path;
    char* argv[] = {program.data(), file.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return "\"" + command_ + "\" could not be started (" + std::strerror(failed) + ")";

    // The opener reports failure at once; when it is still running after a while it has
    // started a program and waits for it.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(patience_));
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return std::nullopt;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
                return "\"" + command_ + "\" is not installed";
            return "no application is set up to open .xlsx files";
        }
        if (done < 0 && errno != EINTR)
            return std::nullopt;  // someone else collected it; assume it started
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    running_.push_back(pid);
    return std::nullopt;
}

}  // namespace mnemex::sheets
