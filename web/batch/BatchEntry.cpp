// The batch command inside the browser module: mnemex-batch's own option parser and run, on
// the module's in-memory files and standard streams (web/batch/batch-files.js gives them).

#include <emscripten/bind.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/BatchCommand.h"

namespace {

// The in-memory file system starts with a umask of 0777, so every result would be made
// with no permissions at all: files are made as a shell's default would make them.
[[gnu::constructor]] void UsualUmask() {
    umask(022);
}

int RunBatchCommand(const std::vector<std::string>& args) {
    const std::atomic<bool> never{false};
    const int exit = mnemex::batch::RunBatchCommand(args, 1, never);
    // Everything written so far reaches the captured streams before the caller reads them.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    return exit;
}

}  // namespace

EMSCRIPTEN_BINDINGS(mnemex_batch) {
    emscripten::register_vector<std::string>("StringList");
    emscripten::function("runBatchCommand", &RunBatchCommand);
}
