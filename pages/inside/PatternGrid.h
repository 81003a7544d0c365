#pragma once
// Laying a pattern's units out as a picture: how wide the grid is and the value range a
// grey scale spans.

#include <vector>

namespace mnemex::inside {

// The width the page proposes for `count` units: the square root when the count is a
// square number, otherwise all units in one row. 0 units: 0.
int ProposedWidth(int count);

// Rows needed for `count` units `width` across (the last row may be short); 0 when either is 0.
int GridRows(int count, int width);

// Whether `width` can lay out `count` units: 1 to count (any width for no units).
bool WidthFits(int count, int width);

struct ValueRange {
    double Low = 0.0;
    double High = 0.0;
};

// The smallest and largest value (0 and 0 for none).
ValueRange RangeOf(const std::vector<double>& values);

// Grey level 0 (black) to 255 (white) of `v` within the range; the middle grey when the
// range is a single value.
int GreyLevel(double v, const ValueRange& range);

}  // namespace mnemex::inside
