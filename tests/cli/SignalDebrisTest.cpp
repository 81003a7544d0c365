// The installed command ended by SIGTERM at any moment of a large save: no temporary file
// or scratch folder survives, and the program still ends by that signal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/LargeTrainingFile.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace mnemex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kProgram = MNEMEX_BATCH_PROGRAM;

// Starts the program with `args`, its output discarded into `folder`, and its TMPDIR (where
// the workbook writer makes its scratch folder) set to `scratch`.
pid_t Start(const std::vector<std::string>& args, const fs::path& folder, const fs::path& scratch) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = (folder / "out.txt").string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    std::vector<std::string> env{"TMPDIR=" + scratch.string()};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("TMPDIR=", 0) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, kProgram.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// The program's wait status, or nothing when it has not ended within `limit` (it is then
// killed, so no test waits for ever).
std::optional<int> WaitAtMost(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(10ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return std::nullopt;
}

TEST(SignalDebris, SigtermDuringALargeSaveLeavesNoTemporaryFile) {
    const fs::path folder = testsupport::TestScratchFolder();
    const std::string net = (folder / "big.net").string();
    testsupport::WriteLargeTrainingFile(net, 1000, 1000, 4);
    // From before training to the end of the workbook: the save, then the workbook's
    // scratch folder.
    for (const auto delay : {0ms, 40ms, 100ms, 200ms, 400ms, 800ms, 1500ms}) {
        SCOPED_TRACE(std::to_string(delay.count()) + " ms");
        const fs::path scratch = folder / ("tmp-" + std::to_string(delay.count()));
        fs::create_directory(scratch);
        const pid_t pid = Start({net, "--epochs", "1", "--save-state", (folder / "s.json").string(),
                                 "--xlsx", (folder / "s.xlsx").string()},
                                folder, scratch);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGTERM);
        const auto status = WaitAtMost(pid, 60s);
        ASSERT_TRUE(status) << "still running a minute after SIGTERM";
        EXPECT_TRUE((WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM) ||
                    (WIFEXITED(*status) && WEXITSTATUS(*status) == 0));
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        EXPECT_TRUE(fs::is_empty(scratch)) << "a scratch folder is left in " << scratch;
    }
}

}  // namespace
}  // namespace mnemex
