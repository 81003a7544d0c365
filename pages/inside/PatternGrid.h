#pragma once
// Laying a pattern's units out as a picture: how wide the grid is and the value range a
// grey scale spans.

#include <string>
#include <vector>

namespace mnemex::inside {

// Up to this many units a pattern that is not a square is shown as one row: a strip of
// cells still wide enough to see.
inline constexpr int kStripUnits = 16;

// The width the page proposes for `count` units: the square root when the count is a
// square number; all units in one row up to kStripUnits; else a near-square picture, the
// divisor just above the square root when its rectangle is at most twice as wide as tall,
// or the square root rounded up (the last row short). 0 units: 0.
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

// `range` grown to take in every one of `values`.
ValueRange Widened(ValueRange range, const std::vector<double>& values);

// The scale a picture is drawn on. Pictures of one kind share a scale fixed by the whole
// file, so a unit looks as large as it is, not as large as the picture's own extremes.
struct PictureScale {
    double Low = 0.0;
    double High = 1.0;
    // Blue at Low, white at 0, red at High (Low = -High), as the weights are drawn; else
    // black at Low and white at High.
    bool Diverging = false;
};

// Black to white over `range`; a range of one value v becomes v - 0.5 to v + 0.5, so the
// picture shows that value as the middle grey it is, not as black or white.
PictureScale GreyScale(ValueRange range);

// The error picture's scale: symmetric about 0, its half-range the larger of the largest
// error magnitude shown and half the desired outputs' range over all patterns (1 when that
// range is 0). An error that is small next to what the outputs span looks nearly white.
PictureScale ErrorScale(const std::vector<double>& errors, ValueRange desiredOverAllPatterns);

// What the picture writes under itself: "0 black to 1 white", "-0.5 blue to 0.5 red"
// (four significant digits).
std::string ScaleText(const PictureScale& scale);

}  // namespace mnemex::inside
