// Feeds arbitrary bytes to the training-file reader and checks what users rely on: a file is
// either loaded whole and consistent, or refused with a message and the old store intact.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/TrainingFile.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mnemex::PublicStuff state;
    // A previously loaded file that a refused one must leave as it was.
    state.NumOutputs = 1;
    state.NumInputs = 1;
    state.NumPatterns = 1;
    state.InputPatterns.Adopt(1, 1, {0.5});
    state.DesiredOutputs.Adopt(1, 1, {-0.5});

    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (size == 0)
        file = std::fopen("/dev/null", "rb");
    Check(file != nullptr);
    const auto error =
        mnemex::ReadTrainingStream(state, file, "fuzz.net", static_cast<long long>(size));
    std::fclose(file);

    if (error) {
        Check(!error->Message.empty());
        Check(state.NumOutputs == 1 && state.NumInputs == 1 && state.NumPatterns == 1);
        Check(state.InputPatterns.Storage().size() == 1 && state.InputPatterns(1, 1) == 0.5);
        Check(state.DesiredOutputs(1, 1) == -0.5);
        return 0;
    }
    for (int count : {state.NumOutputs, state.NumInputs, state.NumPatterns})
        Check(count >= 0 && count <= mnemex::kMaxCount);
    Check(state.InputPatterns.Storage().size() ==
          static_cast<std::size_t>(state.NumInputs) * static_cast<std::size_t>(state.NumPatterns));
    Check(state.DesiredOutputs.Storage().size() ==
          static_cast<std::size_t>(state.NumOutputs) * static_cast<std::size_t>(state.NumPatterns));
    for (double v : state.InputPatterns.Storage())
        Check(std::isfinite(v));
    for (double v : state.DesiredOutputs.Storage())
        Check(std::isfinite(v));
    return 0;
}
