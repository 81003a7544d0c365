#include "tests/support/RunProgram.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>

#include "tests/support/TempFolder.h"

extern char** environ;

namespace mnemex::testsupport {

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::optional<std::string>& stdoutFile) {
    static int runs = 0;
    const std::string tag = "run-" + std::to_string(++runs);
    const std::string input = WriteScratchFile(tag + ".in", "");
    const std::string out =
        stdoutFile ? *stdoutFile : (TestScratchFolder() / (tag + ".out")).string();
    const std::string err = (TestScratchFolder() / (tag + ".err")).string();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    ProgramRun run;
    run.Exited = WIFEXITED(wstatus);
    run.Status = run.Exited ? WEXITSTATUS(wstatus) : -1;
    run.Signal = WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0;
    if (!stdoutFile)
        run.Out = ReadBytes(out);
    run.Err = ReadBytes(err);
    return run;
}

}  // namespace mnemex::testsupport
