// Feeds arbitrary bytes to the training-file reader and checks what users rely on: a file is
// either loaded whole and consistent, or refused with a message and the old store intact;
// and the reader it replaced (one string per value, strtod_l) leaves exactly the same: the
// same refusal and message, or the same values bit for bit.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/TrainingFile.h"
#include "tests/support/ReferenceTrainingFile.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A store with a file loaded before, which a refused file must leave as it was.
void Preload(mnemex::PublicStuff& state) {
    state.NumOutputs = 1;
    state.NumInputs = 1;
    state.NumPatterns = 1;
    state.InputPatterns.Adopt(1, 1, {0.5});
    state.DesiredOutputs.Adopt(1, 1, {-0.5});
}

std::FILE* Open(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = size == 0 ? std::fopen("/dev/null", "rb")
                                : fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    Check(file != nullptr);
    return file;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mnemex::PublicStuff state, before;
    Preload(state);
    Preload(before);
    std::FILE* file = Open(data, size);
    const auto error =
        mnemex::ReadTrainingStream(state, file, "fuzz.net", static_cast<long long>(size));
    std::fclose(file);
    file = Open(data, size);
    const auto expected = mnemex::testsupport::ReferenceReadTrainingStream(
        before, file, "fuzz.net", static_cast<long long>(size));
    std::fclose(file);

    Check(error.has_value() == expected.has_value());
    if (error)
        Check(error->Number == expected->Number && error->Message == expected->Message);
    Check(state.NumOutputs == before.NumOutputs && state.SpareCount == before.SpareCount &&
          state.NumInputs == before.NumInputs && state.NumPatterns == before.NumPatterns);
    Check(SameBits(state.InputPatterns.Storage(), before.InputPatterns.Storage()));
    Check(SameBits(state.DesiredOutputs.Storage(), before.DesiredOutputs.Storage()));

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
