#include "cli/BatchCommand.h"

#include <iostream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"

namespace mnemex::batch {

int RunBatchCommand(const std::vector<std::string>& args, int standardOutputFd,
                    const std::atomic<bool>& stop, const std::function<void()>& beforeRun) {
    const auto parsed = ParseBatchOptions(args);
    if (!parsed.Options) {
        std::cerr << "mnemex-batch: " << parsed.Error << "\n"
                  << "Try 'mnemex-batch --help' for more information.\n";
        return kExitUsage;
    }
    if (parsed.Options->Help) {
        std::cout << BatchUsage();
        return kExitOk;
    }
    if (beforeRun)
        beforeRun();
    PublicStuff state;
    // With a result on the standard output (by any of its names), the display lines go to
    // standard error so that nothing mixes into the result.
    const bool resultToStdout = ResultGoesToStandardOutput(*parsed.Options, standardOutputFd);
    const BatchStreams streams{resultToStdout ? std::cerr : std::cout, std::cerr, std::cout,
                               standardOutputFd};
    return RunBatch(*parsed.Options, state, streams, stop);
}

}  // namespace mnemex::batch
