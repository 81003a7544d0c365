#!/usr/bin/env python3
"""Expected pattern orders, worked out independently of the C++ code.

A hand-written MT19937-64 (the 64-bit Mersenne Twister of Matsumoto and Nishimura, seeded
with one 64-bit word as C++'s std::mt19937_64 is) and the shuffle of the training run:
start from 1..P; for i = P down to 2 take the next output x, j = 1 + (x * i) >> 64, swap
positions i and j. The order of epoch e comes from the engine seeded with seed + e mod 2^64.

Run: python3 tests/core/pattern_order_reference.py
It first checks the engine against the C++ standard's required value (the 10000th output
of a default-seeded std::mt19937_64 is 9981545732273789042), then prints the orders that
PatternOrderTest.cpp expects and the first Gaussian values of the distorted probe
(DistortedProbeTest.cpp): u = ((x >> 11) + 1) / 2^53, Box-Muller on pairs of draws.
"""

MASK = (1 << 64) - 1
N, M = 312, 156
MATRIX_A = 0xB5026F5AA96619E9
UPPER, LOWER = 0xFFFFFFFF80000000, 0x7FFFFFFF


class MT19937_64:
    def __init__(self, seed):
        self.mt = [0] * N
        self.mt[0] = seed & MASK
        for i in range(1, N):
            prev = self.mt[i - 1]
            self.mt[i] = (6364136223846793005 * (prev ^ (prev >> 62)) + i) & MASK
        self.index = N

    def _twist(self):
        for i in range(N):
            x = (self.mt[i] & UPPER) | (self.mt[(i + 1) % N] & LOWER)
            xa = x >> 1
            if x & 1:
                xa ^= MATRIX_A
            self.mt[i] = self.mt[(i + M) % N] ^ xa
        self.index = 0

    def next(self):
        if self.index >= N:
            self._twist()
        y = self.mt[self.index]
        self.index += 1
        y ^= (y >> 29) & 0x5555555555555555
        y ^= (y << 17) & 0x71D67FFFEDA60000
        y ^= (y << 37) & 0xFFF7EEE000000000
        y ^= y >> 43
        return y & MASK


def shuffle(engine, n):
    order = list(range(1, n + 1))
    for i in range(n, 1, -1):
        j = 1 + ((engine.next() * i) >> 64)
        order[i - 1], order[j - 1] = order[j - 1], order[i - 1]
    return order


def epoch_order(seed, epoch, count):
    return shuffle(MT19937_64((seed + epoch) & MASK), count)


CASES = [
    (1, 1, 5), (1, 2, 5), (1, 3, 5), (42, 1, 10), (42, 7, 10),
    (0, 1, 3), ((1 << 63) - 1, 1, 8), (MASK, 1, 6), (5, 1000, 12),
]

if __name__ == "__main__":
    e = MT19937_64(5489)
    for _ in range(9999):
        e.next()
    assert e.next() == 9981545732273789042, "engine does not match the C++ standard"
    for seed, epoch, count in CASES:
        print(f"    {{{seed}u, {epoch}, {count}, {{{', '.join(map(str, epoch_order(seed, epoch, count)))}}}}},")
    import math
    e = MT19937_64(1)
    gauss = []
    for _ in range(2):
        u1 = ((e.next() >> 11) + 1) / 2.0**53
        u2 = ((e.next() >> 11) + 1) / 2.0**53
        r = math.sqrt(-2.0 * math.log(u1))
        gauss += [r * math.cos(2.0 * math.pi * u2), r * math.sin(2.0 * math.pi * u2)]
    print("    Gaussian values of seed 1:", ", ".join(repr(g) for g in gauss))
