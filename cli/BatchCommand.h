#pragma once
// The whole batch command from its argument list: the options read, --help answered, the
// run made on the program's standard streams.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace mnemex::batch {

// Runs mnemex-batch with `args` (the training file first, no program name), writing to the
// C++ standard streams; `standardOutputFd` is their descriptor for the standard output.
// `beforeRun` is called once the options have been read and before anything is trained.
// Returns the exit status; never throws.
int RunBatchCommand(const std::vector<std::string>& args, int standardOutputFd,
                    const std::atomic<bool>& stop, const std::function<void()>& beforeRun = {});

}  // namespace mnemex::batch
