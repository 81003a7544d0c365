#include "core/kernels/EpochKernels.h"

// The kernels are written once (EpochKernelsBody.inc) on GCC vector types and compiled
// here for each instruction set, each copy in its own namespace under its own target
// options; the rest of the program stays baseline x86-64. The SSE2 and AVX2 targets have no
// FMA instructions at all; AVX-512F has them built in (there is no AVX-512 without them),
// so for that copy it is the program-wide -ffp-contract=off that keeps every multiply and
// add separate (the golden test would see a fused one: its rounding differs). In the browser
// build the 128-bit copy becomes WebAssembly SIMD (two doubles a lane pair, the same order
// of operations), and there is no wider one.

namespace mnemex::kernels {

namespace {

// The helpers of a kernel are folded into it, so each kernel is one tight function.
#define MNEMEX_KERNEL_INLINE [[gnu::always_inline]] inline

// Broadcast gives every lane x without any arithmetic (so -0.0 stays -0.0), written as
// an initialiser so that it becomes a single broadcast from memory.
namespace baseline {
typedef double V __attribute__((vector_size(16)));
MNEMEX_KERNEL_INLINE V Broadcast(const double& x) {
    return V{x, x};
}
MNEMEX_KERNEL_INLINE V Opaque(V v) {
    return v;
}
#include "core/kernels/EpochKernelsBody.inc"
}  // namespace baseline

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2")
// 256-bit vectors only ever travel between functions of this block, all compiled for
// AVX2, so the ABI note about passing them is irrelevant.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
namespace avx2 {
typedef double V __attribute__((vector_size(32)));
MNEMEX_KERNEL_INLINE V Broadcast(const double& x) {
    return V{x, x, x, x};
}
#include "core/kernels/OpaqueLanes.inc"

#include "core/kernels/EpochKernelsBody.inc"
}  // namespace avx2
#pragma GCC diagnostic pop
#pragma GCC pop_options
#define MNEMEX_HAVE_AVX2 1
#else
#define MNEMEX_HAVE_AVX2 0
#endif

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx512f")
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
// AVX-512F only: its 512-bit multiplies and adds are all the kernels need (no VL, DQ or BW).
namespace avx512 {
typedef double V __attribute__((vector_size(64)));
MNEMEX_KERNEL_INLINE V Broadcast(const double& x) {
    return V{x, x, x, x, x, x, x, x};
}
#include "core/kernels/OpaqueLanes.inc"
#define MNEMEX_KERNEL_WIDEST_BLOCKS 1
#include "core/kernels/EpochKernelsBody.inc"
#undef MNEMEX_KERNEL_WIDEST_BLOCKS
}  // namespace avx512
#pragma GCC diagnostic pop
#pragma GCC pop_options
#define MNEMEX_HAVE_AVX512 1
#else
#define MNEMEX_HAVE_AVX512 0
#endif

}  // namespace

bool Supports(InstructionSet isa) {
    switch (isa) {
        case InstructionSet::kBaseline:
            return true;
        case InstructionSet::kAvx2:
#if MNEMEX_HAVE_AVX2
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2");
#else
            return false;
#endif
        case InstructionSet::kAvx512:
#if MNEMEX_HAVE_AVX512
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx512f");
#else
            return false;
#endif
    }
    return false;
}

InstructionSet BestInstructionSet() {
    if (Supports(InstructionSet::kAvx512))
        return InstructionSet::kAvx512;
    return Supports(InstructionSet::kAvx2) ? InstructionSet::kAvx2 : InstructionSet::kBaseline;
}

bool TrainBlocks(const BlockJob& job, InstructionSet isa) {
#if MNEMEX_HAVE_AVX512
    if (isa == InstructionSet::kAvx512)
        return avx512::TrainJob(job);
#endif
#if MNEMEX_HAVE_AVX2
    if (isa == InstructionSet::kAvx2)
        return avx2::TrainJob(job);
#endif
    static_cast<void>(isa);
    return baseline::TrainJob(job);
}

}  // namespace mnemex::kernels
