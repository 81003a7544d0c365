#include "reports/workbook/DesktopOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace mnemex::sheets {

namespace {

// Somewhere for the opener to write what it says, which no one else sees; -1 if none.
int OutputCatcher() {
    return memfd_create("mnemex-opener-output", MFD_CLOEXEC);
}

// The last line the opener wrote (at most a few hundred characters), or empty text.
std::string LastLineOf(int fd) {
    if (fd < 0 || lseek(fd, 0, SEEK_SET) != 0)
        return {};
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0 && text.size() < (1u << 16))
        text.append(buffer, static_cast<std::size_t>(got));
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && isBlank(text.back()))
        text.pop_back();
    const std::size_t start = text.find_last_of('\n');
    std::string line = start == std::string::npos ? text : text.substr(start + 1);
    constexpr std::size_t kLongest = 300;
    if (line.size() > kLongest)
        line = line.substr(0, kLongest) + "...";
    return line;
}

// Why the opener failed, from its exit status and its last words.
std::string FailureReason(int status, const std::string& command, const std::string& said) {
    std::string reason;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        reason = "\"" + command + "\" is not installed";
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        reason = "no application is set up to open this kind of file";
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 4)
        reason = "the desktop could not carry out the opening";
    else if (WIFEXITED(status))
        reason = "\"" + command + "\" ended with status " + std::to_string(WEXITSTATUS(status));
    else
        reason = "\"" + command + "\" was stopped";
    if (!said.empty())
        reason += " (" + said + ")";
    return reason;
}

}  // namespace

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
    // The opener must not read from the program's terminal, nor write into its output:
    // what it says goes to the catcher (or nowhere, when there is none).
    const int output = OutputCatcher();
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, output, 1);
        posix_spawn_file_actions_adddup2(&actions, output, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::string program = command_;
    std::string file = path;
    char* argv[] = {program.data(), file.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        if (output >= 0)
            close(output);
        return "\"" + command_ + "\" could not be started (" + std::strerror(failed) + ")";
    }
    const std::optional<std::string> outcome = AwaitOpener(pid, output);
    if (output >= 0)
        close(output);
    return outcome;
}

std::optional<std::string> XdgOpener::AwaitOpener(pid_t pid, int output) {
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
            return FailureReason(status, command_, LastLineOf(output));
        }
        if (done < 0 && errno != EINTR)
            return std::nullopt;  // someone else collected it; assume it started
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    running_.push_back(pid);
    return std::nullopt;
}

}  // namespace mnemex::sheets
