#include "core/PatternOrder.h"

#include <utility>

namespace mnemex {

namespace {

__extension__ typedef unsigned __int128 u128;

// floor(x * bound / 2^64): a whole number in 0..bound-1 from one 64-bit draw, with
// nothing left to a library's distribution so every machine draws the same.
std::uint64_t Scaled(std::uint64_t x, std::uint64_t bound) {
    return static_cast<std::uint64_t>((static_cast<u128>(x) * bound) >> 64);
}

}  // namespace

void ShuffleInto(std::mt19937_64& engine, std::vector<int>& positions) {
    const std::size_t n = positions.size();
    for (std::size_t k = 0; k < n; ++k)
        positions[k] = static_cast<int>(k + 1);
    for (std::size_t i = n; i >= 2; --i) {
        const std::uint64_t j = 1 + Scaled(engine(), i);
        std::swap(positions[i - 1], positions[j - 1]);
    }
}

void EpochOrderInto(std::uint64_t seed, std::int64_t epoch, int count, std::vector<int>& order) {
    // Unsigned arithmetic wraps, as the seed of epoch e is defined to.
    std::mt19937_64 engine(seed + static_cast<std::uint64_t>(epoch));
    order.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    ShuffleInto(engine, order);
}

std::vector<int> EpochOrder(std::uint64_t seed, std::int64_t epoch, int count) {
    std::vector<int> order;
    EpochOrderInto(seed, epoch, count, order);
    return order;
}

}  // namespace mnemex
