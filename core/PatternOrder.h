#pragma once
// The order in which an epoch presents the patterns: file order, or a fresh shuffle for
// every epoch that any machine reproduces bit for bit from the seed and the epoch number.

#include <cstdint>
#include <random>
#include <vector>

namespace mnemex {

// How a training run presents the patterns. File order is the program's own behaviour;
// permuted order is an experiment beside it.
struct PatternOrder {
    bool Permuted = false;
    std::uint64_t Seed = 1;  // only used when Permuted
};

// Fills `positions` (whose size gives n) with a shuffle of 1..n drawn from `engine`:
// start from 1, 2, ..., n; for i = n down to 2 take the engine's next 64-bit output x,
// let j = 1 + floor(x * i / 2^64) (the high half of the full 128-bit product) and swap
// positions i and j. Takes exactly n - 1 draws (none for n <= 1).
void ShuffleInto(std::mt19937_64& engine, std::vector<int>& positions);

// The patterns of epoch `epoch` (the overall epoch count, from 1) in presentation order,
// pattern numbers from 1: the shuffle of 1..count drawn from std::mt19937_64 seeded with
// seed + epoch (modulo 2^64). Depends only on these three numbers, so a run that is
// continued or repeated presents every epoch the same way.
void EpochOrderInto(std::uint64_t seed, std::int64_t epoch, int count, std::vector<int>& order);
std::vector<int> EpochOrder(std::uint64_t seed, std::int64_t epoch, int count);

}  // namespace mnemex
