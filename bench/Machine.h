#pragma once
// What this machine can do at most: memory streaming bandwidth and the rate of separate
// double-precision multiplies and adds, each measured with a small kernel and timed in
// processor time per thread (the machine may be shared). Every kernel uses the vectors of
// the training kernels the program ships on this processor (VectorBits): 512-bit with
// AVX-512, 256-bit with AVX2, 128-bit elsewhere.

#include <cstddef>

namespace mnemex::bench {

// Bytes per second moved by a read-modify-write stream (each element read once and
// written once, in the shipped kernels' vectors) over an array of
// `bytesPerThread` per thread, on `threads` threads: far larger than the caches gives the
// memory's bandwidth, the size of a weight tile gives that of the cache holding it.
double StreamBandwidth(int threads, std::size_t bytesPerThread);

// Multiply and add results per second (each vector lane counted once), from independent
// chains of a multiply followed by an add, as the training kernels use them (no FMA),
// on `threads` threads at once; each chain is advanced `rounds` times (20 million take
// about 0.15 s on a 3 GHz processor).
double ArithmeticPeak(int threads, long rounds = 20'000'000);

// Vector loads per second (of VectorBits) from
// an array kept in the first-level cache, each the memory operand of a multiply and an add
// on an independent chain, as in the training kernels' inner loop, on `threads` threads at
// once; `rounds` passes of 48 loads each.
double LoadRate(int threads, long rounds = 4'000'000);

// Vector stores per second (of VectorBits), each
// independent of the others, into a 16 KB array (within the first-level data cache of
// any x86-64 processor of the last decade), on `threads` threads at once; `rounds` passes
// over the array.
double StoreRate(int threads, long rounds = 400'000);

// The training kernels' inner loop alone (bench/KernelMix.inc): rows per second, each row
// `lanes` (8 or 16; 32 with AVX-512) weights changed, stored and multiplied into one (Hebb)
// or two (Delta) sums, with the shipped kernels' vectors, over a tile of `rows`
// rows that stays in cache, passed over `passes` times, on `threads` threads at once.
// With `firstLevelBytes`, the same sweeps (as many rows, the same inputs) keep their weights
// in an array of at most that many bytes, wrapping around: the time of the instructions
// alone with the weights in the first-level cache.
double MixRate(int threads, int lanes, bool hebb, int rows, long passes, int firstLevelBytes = 0);

// The width in bits of the vectors all of the above use.
int VectorBits();

}  // namespace mnemex::bench
