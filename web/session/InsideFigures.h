#pragma once
// The figures of the browser's look inside the memory: how a pattern is laid out as a
// picture and on what scale (one unit's explanation: core/UnitExplanation).

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::web {

// Units across a pattern's picture: the square root for a square count; one row up to 16
// units; else the divisor just above the square root when that rectangle is at most twice
// as wide as tall, or the square root rounded up (the last row short). 0 for no units.
int PictureWidth(int count);

// The scale a picture is drawn on: black at Low to white at High, or (Diverging) blue at
// Low, white at 0 and red at High with Low = -High.
struct Scale {
    double Low = 0.0;
    double High = 1.0;
    bool Diverging = false;
};

// One stored pattern with the weights as they stand, and the scales of its four pictures:
// the input on every input pattern's range, desired and recalled outputs on the desired
// outputs' range widened to take in the recalled values, the error symmetric about 0 (at
// least half the desired outputs' range, so a small error looks pale).
struct PatternPictures {
    std::vector<double> Input, Desired, Recalled, Error;
    Scale InputScale, OutputScale, ErrorScale;
};
// Reads the state only. Throws RunTimeException(kOverflow) when a value is not finite and
// kSubscriptOutOfRange for a pattern out of range or weights that do not fit the counts.
PatternPictures PicturesOf(const PublicStuff& state, int p);

}  // namespace mnemex::web
