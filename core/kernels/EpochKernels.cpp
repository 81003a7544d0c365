#include "core/kernels/EpochKernels.h"

#include <algorithm>

// The kernels below are written once on GCC vector types and compiled for each
// instruction set through target attributes; the program itself stays baseline x86-64.
// No target here enables FMA, so multiply and add can never be fused, whatever the
// contraction setting.

namespace mnemex::kernels {

namespace {

typedef double Vec2 __attribute__((vector_size(16)));
typedef double Vec4 __attribute__((vector_size(32)));

#define MNEMEX_INLINE [[gnu::always_inline]] inline

// The helpers pass 256-bit vectors around but are always inlined into a kernel compiled
// for the matching instruction set, so no call ever crosses the ABI the warning is about.
#pragma GCC diagnostic ignored "-Wpsabi"

template <class V>
MNEMEX_INLINE V Load(const double* p) {
    V v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

template <class V>
MNEMEX_INLINE void Store(double* p, V v) {
    __builtin_memcpy(p, &v, sizeof v);
}

// Every lane x, without any arithmetic (so -0.0 stays -0.0).
template <class V>
MNEMEX_INLINE V Broadcast(double x) {
    V v;
    for (int l = 0; l < static_cast<int>(sizeof(V) / sizeof(double)); ++l)
        v[l] = x;
    return v;
}

// The lanes of one block as plain numbers.
struct Lanes {
    double v[kLanes];
};

template <class V>
MNEMEX_INLINE Lanes ToLanes(const V (&parts)[kLanes / (sizeof(V) / sizeof(double))]) {
    constexpr int kWidth = sizeof(V) / sizeof(double);
    Lanes out;
    for (int k = 0; k < kLanes / kWidth; ++k)
        Store(out.v + k * kWidth, parts[k]);
    return out;
}

// Under the Delta rule a pattern's activities are its errors before its step: desired
// minus the response `net` of pattern p, written to carry (padding lanes 0). Returns
// false when an error is infinite or not a number.
template <class V>
MNEMEX_INLINE bool NextActivities(const BlockJob& job,
                                  const V (&net)[kLanes / (sizeof(V) / sizeof(double))], int p,
                                  int j0, int real, double* carry) {
    const Lanes n = ToLanes<V>(net);
    const double* d = job.Desired + static_cast<std::size_t>(p) * job.NumOutputs + j0;
    bool ok = true;
    for (int l = 0; l < kLanes; ++l) {
        const double e = l < real ? d[l] - n.v[l] : 0.0;
        ok &= __builtin_isfinite(e);
        carry[l] = e;
    }
    return ok;
}

// One tile (block b) carried through patterns p0 .. p1-1.
template <class V, bool kHebb>
MNEMEX_INLINE bool TrainTile(const BlockJob& job, int b, int p0, int p1) {
    constexpr int kWidth = sizeof(V) / sizeof(double);
    constexpr int kParts = kLanes / kWidth;
    const int nIn = job.NumInputs;
    const int nOut = job.NumOutputs;
    const int j0 = b * kLanes;
    const int real = std::min(kLanes, nOut - j0);
    double* tile = job.Panel + static_cast<std::size_t>(b) * static_cast<std::size_t>(nIn) * kLanes;
    double* carry = job.Carry + static_cast<std::size_t>(j0);
    bool ok = true;

    // The first pattern's Delta activities come from a plain response pass; later ones
    // from the previous pattern's sweep, kept in carry between chunks.
    if (!kHebb && p0 == 0) {
        V net[kParts] = {};
        const double* x = job.Inputs;
        for (int i = 0; i < nIn; ++i) {
            const V xv = Broadcast<V>(x[i]);
            const double* row = tile + static_cast<std::size_t>(i) * kLanes;
            for (int k = 0; k < kParts; ++k)
                net[k] = Load<V>(row + k * kWidth) * xv + net[k];
        }
        ok &= NextActivities<V>(job, net, 0, j0, real, carry);
    }

    for (int p = p0; p < p1; ++p) {
        const double* x = job.Inputs + static_cast<std::size_t>(p) * nIn;
        const double* d = job.Desired + static_cast<std::size_t>(p) * nOut + j0;
        V a[kParts];
        if (kHebb) {
            double padded[kLanes] = {};
            for (int l = 0; l < real; ++l)
                padded[l] = d[l];
            for (int k = 0; k < kParts; ++k)
                a[k] = Load<V>(padded + k * kWidth);
        } else {
            for (int k = 0; k < kParts; ++k)
                a[k] = Load<V>(carry + k * kWidth);
        }
        const bool last = p + 1 == job.NumPatterns;
        if (last) {
            for (int l = 0; l < real; ++l)
                job.LastActivity[j0 + l] = kHebb ? d[l] : carry[l];
        }

        V net[kParts] = {};
        if (!kHebb && !last) {
            V nextNet[kParts] = {};
            const double* xn = x + nIn;
            for (int i = 0; i < nIn; ++i) {
                const double scaled = job.Rate * x[i];
                const V sv = Broadcast<V>(scaled);
                const V xv = Broadcast<V>(x[i]);
                const V xnv = Broadcast<V>(xn[i]);
                double* row = tile + static_cast<std::size_t>(i) * kLanes;
                for (int k = 0; k < kParts; ++k) {
                    const V w = Load<V>(row + k * kWidth) + sv * a[k];
                    Store(row + k * kWidth, w);
                    net[k] = w * xv + net[k];
                    nextNet[k] = w * xnv + nextNet[k];
                }
            }
            ok &= NextActivities<V>(job, nextNet, p + 1, j0, real, carry);
        } else {
            for (int i = 0; i < nIn; ++i) {
                const double scaled = job.Rate * x[i];
                const V sv = Broadcast<V>(scaled);
                const V xv = Broadcast<V>(x[i]);
                double* row = tile + static_cast<std::size_t>(i) * kLanes;
                for (int k = 0; k < kParts; ++k) {
                    const V w = Load<V>(row + k * kWidth) + sv * a[k];
                    Store(row + k * kWidth, w);
                    net[k] = w * xv + net[k];
                }
            }
        }

        const Lanes n = ToLanes<V>(net);
        double* err = job.Errors + static_cast<std::size_t>(p) * nOut + j0;
        for (int l = 0; l < real; ++l) {
            const double e = d[l] - n.v[l];
            ok &= __builtin_isfinite(e);
            err[l] = e;
        }
        if (last) {
            for (int l = 0; l < real; ++l)
                job.LastNet[j0 + l] = n.v[l];
        }
    }
    return ok;
}

template <class V>
MNEMEX_INLINE bool TrainBlocksWith(const BlockJob& job) {
    bool ok = true;
    const int chunk = std::max(1, job.ChunkPatterns);
    for (int p0 = 0; p0 < job.NumPatterns && ok; p0 += chunk) {
        const int p1 = std::min(job.NumPatterns, p0 + chunk);
        for (int b = job.FirstBlock; b < job.EndBlock; ++b)
            ok &=
                job.Hebb ? TrainTile<V, true>(job, b, p0, p1) : TrainTile<V, false>(job, b, p0, p1);
    }
    return ok;
}

bool TrainBlocksBaseline(const BlockJob& job) {
    return TrainBlocksWith<Vec2>(job);
}

__attribute__((target("avx2"))) bool TrainBlocksAvx2(const BlockJob& job) {
    return TrainBlocksWith<Vec4>(job);
}

}  // namespace

bool Supports(InstructionSet isa) {
    switch (isa) {
        case InstructionSet::kBaseline:
            return true;
        case InstructionSet::kAvx2:
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2");
    }
    return false;
}

InstructionSet BestInstructionSet() {
    return Supports(InstructionSet::kAvx2) ? InstructionSet::kAvx2 : InstructionSet::kBaseline;
}

const char* NameOf(InstructionSet isa) {
    return isa == InstructionSet::kAvx2 ? "avx2" : "baseline";
}

bool TrainBlocks(const BlockJob& job, InstructionSet isa) {
    if (isa == InstructionSet::kAvx2 && Supports(InstructionSet::kAvx2))
        return TrainBlocksAvx2(job);
    return TrainBlocksBaseline(job);
}

}  // namespace mnemex::kernels
