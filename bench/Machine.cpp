#include "bench/Machine.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "core/kernels/EpochKernels.h"

namespace mnemex::bench {

// The kernels' inner loop, compiled as the kernels are: once for 128-bit vectors, once
// for AVX2, once for AVX-512 (core/kernels/EpochKernels.cpp).
namespace mix128 {
typedef double V __attribute__((vector_size(16)));
[[gnu::always_inline]] inline V Broadcast(const double& x) {
    return V{x, x};
}
[[gnu::always_inline]] inline V Opaque(V v) {
    return v;
}
#include "bench/KernelMix.inc"
}  // namespace mix128

#pragma GCC push_options
#pragma GCC target("avx2")
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
namespace mix256 {
typedef double V __attribute__((vector_size(32)));
[[gnu::always_inline]] inline V Broadcast(const double& x) {
    return V{x, x, x, x};
}
// As in the kernels.
#include "core/kernels/OpaqueLanes.inc"

#include "bench/KernelMix.inc"
}  // namespace mix256
#pragma GCC diagnostic pop
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
namespace mix512 {
typedef double V __attribute__((vector_size(64)));
[[gnu::always_inline]] inline V Broadcast(const double& x) {
    return V{x, x, x, x, x, x, x, x};
}
#include "core/kernels/OpaqueLanes.inc"

#include "bench/KernelMix.inc"
}  // namespace mix512
#pragma GCC diagnostic pop
#pragma GCC pop_options

namespace {

// The bounds are measured with the vectors of the kernels the program ships: the widest
// the processor has.
int Width() {
    switch (kernels::BestInstructionSet()) {
        case kernels::InstructionSet::kAvx512:
            return 8;
        case kernels::InstructionSet::kAvx2:
            return 4;
        default:
            return 2;
    }
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Runs work(t) on `threads` threads together and returns the processor time of the
// slowest thread: the machine is shared, and time spent waiting for a processor is not
// the machine's limit.
template <class Work>
double Together(int threads, Work work) {
    std::mutex mutex;
    double slowest = 0.0;
    auto timed = [&](int member) {
        const double start = ThreadCpuSeconds();
        work(member);
        const double used = ThreadCpuSeconds() - start;
        std::lock_guard<std::mutex> lock(mutex);
        slowest = std::max(slowest, used);
    };
    std::vector<std::thread> crew;
    for (int t = 1; t < threads; ++t)
        crew.emplace_back(timed, t);
    timed(0);
    for (auto& t : crew)
        t.join();
    return slowest;
}

typedef double Vec2 __attribute__((vector_size(16)));
typedef double Vec4 __attribute__((vector_size(32)));
// Passed only between functions compiled for AVX-512.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
typedef double Vec8 __attribute__((vector_size(64)));
#pragma GCC diagnostic pop
constexpr int kChains = 12;
constexpr std::size_t kStoreBytes = 16 * 1024;

// Each measuring loop is written once on a vector type V and compiled for each width by a
// thin function under that width's target (MNEMEX_FOR_EACH_WIDTH below), which it is
// folded into.
template <class V>
constexpr int kLanes = sizeof(V) / sizeof(double);

template <class V>
[[gnu::always_inline]] inline double SumOfLanes(const V (&x)[kChains]) {
    double sum = 0.0;
    for (int k = 0; k < kChains; ++k)
        for (int l = 0; l < kLanes<V>; ++l)
            sum += x[k][l];
    return sum;
}

// kChains independent chains x = x * m + c, `rounds` times; returns a value so that the
// work cannot be dropped.
template <class V>
[[gnu::always_inline]] inline double Chains(long rounds) {
    V x[kChains];
    for (int k = 0; k < kChains; ++k)
        for (int l = 0; l < kLanes<V>; ++l)
            x[k][l] = 1.0 + l + k;
    const V m = V{} + 0.999999;
    const V c = V{} + 1e-6;
    for (long r = 0; r < rounds; ++r) {
#pragma GCC unroll 16
        for (int k = 0; k < kChains; ++k)
            x[k] = x[k] * m + c;
    }
    return SumOfLanes<V>(x);
}

// kChains chains x = a[k] * m + x, four rounds of loads per pass over an array of
// 4 * kChains vectors (1.5 KB with AVX2, 3 KB with AVX-512): every multiply takes its
// vector from memory.
template <class V>
[[gnu::always_inline]] inline double Loads(const double* a, long rounds) {
    V x[kChains] = {};
    const V m = V{} + 0.999999;
    for (long r = 0; r < rounds; ++r) {
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q) {
#pragma GCC unroll 16
            for (int k = 0; k < kChains; ++k) {
                V v;
                __builtin_memcpy(&v, a + kLanes<V> * (q * kChains + k), sizeof v);
                x[k] = v * m + x[k];
            }
        }
    }
    return SumOfLanes<V>(x);
}

// Independent stores of one vector over the whole array, `rounds` times.
template <class V>
[[gnu::always_inline]] inline double Stores(double* a, long rounds) {
    V v;
    for (int l = 0; l < kLanes<V>; ++l)
        v[l] = 0.5 + l;
    constexpr std::size_t n = kStoreBytes / sizeof(double);
    for (long r = 0; r < rounds; ++r) {
#pragma GCC unroll 16
        for (std::size_t k = 0; k < n; k += kLanes<V>)
            __builtin_memcpy(a + k, &v, sizeof v);
        // Every pass's stores must happen.
        __asm__ volatile("" : : "r"(a) : "memory");
    }
    return 0.0;
}

// One read-modify-write pass: every element read once and written once, four vectors per
// step, so that loop overhead does not hide the memory's limit.
template <class V>
[[gnu::always_inline]] inline double Pass(double* a, std::size_t n) {
    const V one = V{} + 1.0;
    constexpr std::size_t kStep = 4 * kLanes<V>;
    for (std::size_t k = 0; k + kStep <= n; k += kStep) {
#pragma GCC unroll 4
        for (std::size_t q = 0; q < kStep; q += kLanes<V>) {
            V v;
            __builtin_memcpy(&v, a + k + q, sizeof v);
            v = v + one;
            __builtin_memcpy(a + k + q, &v, sizeof v);
        }
    }
    return 0.0;
}

// Name##Avx512, Name##Avx2 and Name##Baseline: Name<V> for each width.
#define MNEMEX_FOR_EACH_WIDTH(Name, Params, Args)                             \
    __attribute__((target("avx512f"), noinline)) double Name##Avx512 Params { \
        return Name<Vec8> Args;                                               \
    }                                                                         \
    __attribute__((target("avx2"), noinline)) double Name##Avx2 Params {      \
        return Name<Vec4> Args;                                               \
    }                                                                         \
    __attribute__((noinline)) double Name##Baseline Params {                  \
        return Name<Vec2> Args;                                               \
    }
MNEMEX_FOR_EACH_WIDTH(Chains, (long rounds), (rounds))
MNEMEX_FOR_EACH_WIDTH(Loads, (const double* a, long rounds), (a, rounds))
MNEMEX_FOR_EACH_WIDTH(Stores, (double* a, long rounds), (a, rounds))
MNEMEX_FOR_EACH_WIDTH(Pass, (double* a, std::size_t n), (a, n))
#undef MNEMEX_FOR_EACH_WIDTH

}  // namespace

double StreamBandwidth(int threads, std::size_t bytesPerThread) {
    const int width = Width();
    const std::size_t n = bytesPerThread / sizeof(double);
    // At least 256 MB moved per thread and timed run, so that small arrays are passed
    // over many times.
    const std::size_t passes = std::max<std::size_t>(1, (std::size_t{256} << 20) / bytesPerThread);
    std::vector<std::vector<double>> arrays(static_cast<std::size_t>(threads),
                                            std::vector<double>(n + 8, 1.0));
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double t = Together(threads, [&](int member) {
            double* a = arrays[static_cast<std::size_t>(member)].data();
            while (reinterpret_cast<std::uintptr_t>(a) % 64 != 0)
                ++a;
            for (std::size_t pass = 0; pass < passes; ++pass) {
                if (width == 8)
                    PassAvx512(a, n);
                else if (width == 4)
                    PassAvx2(a, n);
                else
                    PassBaseline(a, n);
            }
        });
        best = std::min(best, t);
    }
    return 2.0 * sizeof(double) * static_cast<double>(n * passes) * threads / best;
}

double ArithmeticPeak(int threads, long rounds) {
    const int lanes = Width();
    std::vector<double> results(static_cast<std::size_t>(threads));
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double t = Together(threads, [&](int member) {
            results[static_cast<std::size_t>(member)] = lanes == 8   ? ChainsAvx512(rounds)
                                                        : lanes == 4 ? ChainsAvx2(rounds)
                                                                     : ChainsBaseline(rounds);
        });
        best = std::min(best, t);
    }
    volatile double sink = results[0];
    (void)sink;
    return 2.0 * kChains * lanes * static_cast<double>(rounds) * threads / best;
}

double LoadRate(int threads, long rounds) {
    const int width = Width();
    std::vector<std::vector<double>> arrays(static_cast<std::size_t>(threads),
                                            std::vector<double>(8 * 4 * kChains, 0.5));
    std::vector<double> results(static_cast<std::size_t>(threads));
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double t = Together(threads, [&](int member) {
            const double* a = arrays[static_cast<std::size_t>(member)].data();
            results[static_cast<std::size_t>(member)] = width == 8   ? LoadsAvx512(a, rounds)
                                                        : width == 4 ? LoadsAvx2(a, rounds)
                                                                     : LoadsBaseline(a, rounds);
        });
        best = std::min(best, t);
    }
    volatile double sink = results[0];
    (void)sink;
    return 4.0 * kChains * static_cast<double>(rounds) * threads / best;
}

double StoreRate(int threads, long rounds) {
    const int width = Width();
    const std::size_t n = kStoreBytes / sizeof(double);
    std::vector<std::vector<double>> arrays(static_cast<std::size_t>(threads),
                                            std::vector<double>(n + 8, 0.0));
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double t = Together(threads, [&](int member) {
            double* a = arrays[static_cast<std::size_t>(member)].data();
            while (reinterpret_cast<std::uintptr_t>(a) % 64 != 0)
                ++a;
            if (width == 8)
                StoresAvx512(a, rounds);
            else if (width == 4)
                StoresAvx2(a, rounds);
            else
                StoresBaseline(a, rounds);
        });
        best = std::min(best, t);
    }
    const double perRound = static_cast<double>(n / static_cast<std::size_t>(width));
    return perRound * static_cast<double>(rounds) * threads / best;
}

double MixRate(int threads, int lanes, bool hebb, int rows, long passes, int firstLevelBytes) {
    const int vector = Width();
    const bool avx2 = vector == 4;
    const auto n = static_cast<std::size_t>(rows);
    const auto width = static_cast<std::size_t>(lanes);
    // Rows kept when the sweeps wrap around: a power of two.
    int wrapRows = 1;
    while (firstLevelBytes > 0 &&
           wrapRows * 2 * lanes * static_cast<int>(sizeof(double)) <= firstLevelBytes)
        wrapRows *= 2;
    const bool wrap = firstLevelBytes > 0 && wrapRows < rows;
    // Weights of a few hundredths, inputs like pixels and a rate so small that no value
    // drifts towards overflow or the slow subnormal range however long it runs.
    struct Member {
        std::vector<double> tile, x0, x1, desired, carry, sink;
    };
    std::vector<Member> members(static_cast<std::size_t>(threads));
    for (Member& m : members) {
        m.tile.resize(n * width + 8);
        for (std::size_t k = 0; k < m.tile.size(); ++k)
            m.tile[k] = 0.01 * static_cast<double>(static_cast<int>(k * 7919 % 200) - 100) / 100;
        m.x0.resize(n);
        m.x1.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            m.x0[i] = static_cast<double>(i * 31 % 97) / 97;
            m.x1[i] = static_cast<double>(i * 17 % 89) / 89;
        }
        m.desired.assign(width, 0.5);
        m.carry.assign(width, 0.25);
        m.sink.assign(width, 0.0);
    }
    std::vector<double> results(static_cast<std::size_t>(threads));
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double t = Together(threads, [&](int member) {
            Member& m = members[static_cast<std::size_t>(member)];
            double* tile = m.tile.data();
            while (reinterpret_cast<std::uintptr_t>(tile) % 64 != 0)
                ++tile;
            const double* x0 = m.x0.data();
            const double* x1 = m.x1.data();
            const double* d = m.desired.data();
            double* c = m.carry.data();
            double* s = m.sink.data();
            constexpr double kRate = 1e-9;
            const int mask = wrapRows - 1;
            double r = 0.0;
#define MNEMEX_MIX(space, lanes, hebb, wrap) \
    space::Mix<lanes, hebb, wrap>(tile, tile, rows, mask, x0, x1, d, c, s, kRate, passes)
            // Every combination the kernels run, spelled out: each is its own loop.
            if (vector == 8 && lanes == 32)
                r = hebb ? (wrap ? MNEMEX_MIX(mix512, 32, true, true)
                                 : MNEMEX_MIX(mix512, 32, true, false))
                         : (wrap ? MNEMEX_MIX(mix512, 32, false, true)
                                 : MNEMEX_MIX(mix512, 32, false, false));
            else if (vector == 8 && lanes == 16)
                r = hebb ? (wrap ? MNEMEX_MIX(mix512, 16, true, true)
                                 : MNEMEX_MIX(mix512, 16, true, false))
                         : (wrap ? MNEMEX_MIX(mix512, 16, false, true)
                                 : MNEMEX_MIX(mix512, 16, false, false));
            else if (vector == 8)
                r = hebb ? (wrap ? MNEMEX_MIX(mix512, 8, true, true)
                                 : MNEMEX_MIX(mix512, 8, true, false))
                         : (wrap ? MNEMEX_MIX(mix512, 8, false, true)
                                 : MNEMEX_MIX(mix512, 8, false, false));
            else if (avx2 && lanes == 16)
                r = hebb ? (wrap ? MNEMEX_MIX(mix256, 16, true, true)
                                 : MNEMEX_MIX(mix256, 16, true, false))
                         : (wrap ? MNEMEX_MIX(mix256, 16, false, true)
                                 : MNEMEX_MIX(mix256, 16, false, false));
            else if (avx2)
                r = hebb ? (wrap ? MNEMEX_MIX(mix256, 8, true, true)
                                 : MNEMEX_MIX(mix256, 8, true, false))
                         : (wrap ? MNEMEX_MIX(mix256, 8, false, true)
                                 : MNEMEX_MIX(mix256, 8, false, false));
            else if (lanes == 16)
                r = hebb ? (wrap ? MNEMEX_MIX(mix128, 16, true, true)
                                 : MNEMEX_MIX(mix128, 16, true, false))
                         : (wrap ? MNEMEX_MIX(mix128, 16, false, true)
                                 : MNEMEX_MIX(mix128, 16, false, false));
            else
                r = hebb ? (wrap ? MNEMEX_MIX(mix128, 8, true, true)
                                 : MNEMEX_MIX(mix128, 8, true, false))
                         : (wrap ? MNEMEX_MIX(mix128, 8, false, true)
                                 : MNEMEX_MIX(mix128, 8, false, false));
#undef MNEMEX_MIX
            results[static_cast<std::size_t>(member)] = r;
        });
        best = std::min(best, t);
    }
    volatile double sink = results[0];
    (void)sink;
    return static_cast<double>(rows) * static_cast<double>(passes) * threads / best;
}

int VectorBits() {
    return 64 * Width();
}

}  // namespace mnemex::bench
