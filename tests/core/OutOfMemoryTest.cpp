// The largest network a training file can ask for may not fit in memory: that must end in
// the out-of-memory message, never in a crash.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "core/PublicStuff.h"
#include "core/RunTimeError.h"

namespace mnemex {
namespace {

// The sanitizers' shadow memory needs more address space than the limit below leaves.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitizerShadow = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitizerShadow = true;
#else
constexpr bool kSanitizerShadow = false;
#endif
#else
constexpr bool kSanitizerShadow = false;
#endif

// In a child process with at most 2 GiB of address space, allocates the network of the
// largest counts (32767 x 32767 weights, 8 GiB) and exits with the trapped error number.
[[noreturn]] void AllocateLargestNetworkWithLittleMemory() {
    const rlimit limit{2ull << 30, 2ull << 30};
    setrlimit(RLIMIT_AS, &limit);
    PublicStuff state;
    state.NumInputs = kMaxCount;
    state.NumOutputs = kMaxCount;
    const RunTimeError error = TrapErrors([&] { state.ReallocateNetwork(); });
    const bool messageFits =
        TrainingErrorMessage(error) ==
        "Out of memory error: \rPlease try closing some applications and retrying.\r";
    std::_Exit(messageFits ? error.Number : 100);
}

TEST(OutOfMemoryDeathTest, LargestNetworkGivesTheOutOfMemoryError) {
    if (kSanitizerShadow)
        GTEST_SKIP() << "the sanitizer's shadow memory needs the address space";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(AllocateLargestNetworkWithLittleMemory(), ::testing::ExitedWithCode(kOutOfMemory),
                "");
}

}  // namespace
}  // namespace mnemex
