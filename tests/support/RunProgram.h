#pragma once
// Runs a program of the build as a user would from a shell, with its standard output and
// error going to files in the running test's folder (or to a file the test names).

#include <optional>
#include <string>
#include <vector>

namespace mnemex::testsupport {

struct ProgramRun {
    bool Exited = false;  // false when a signal ended it
    int Status = -1;      // exit status when Exited
    int Signal = 0;       // the signal otherwise
    std::string Out;      // standard output (empty when it went to `stdoutFile`)
    std::string Err;      // standard error
};

// Runs `program` with `args`; standard input is an empty file. With `stdoutFile`, the
// standard output is that file, opened as a shell's ">" does (created or emptied).
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::optional<std::string>& stdoutFile = std::nullopt);

}  // namespace mnemex::testsupport
