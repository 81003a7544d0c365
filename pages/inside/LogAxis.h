#pragma once
// The logarithmic SSE axis of the compare view, planned without a screen: which powers of
// ten carry labels, whether minor grid lines are far enough apart to draw, and where the
// axis stops, so a curve that falls to 1e-30 does not squeeze the others into a band.

#include <string>
#include <vector>

namespace mnemex::inside {

// The axis reaches this many decades below the largest value shown, and no further.
inline constexpr int kLogAxisDecades = 12;
// Labels on the axis at most; beyond it they only share every second (third...) decade.
inline constexpr int kMostLogLabels = 8;
// Minor grid lines closer than this, in pixels, make a grey band: they are left out.
inline constexpr double kLeastMinorGap = 4.0;

struct LogAxisPlan {
    int LowExponent = -1;  // the axis runs from 10^LowExponent (its floor)...
    int HighExponent = 0;  // ...to 10^HighExponent
    // Labels stand at the powers of ten whose exponent DecadesPerLabel divides (the axis's
    // base is 10^DecadesPerLabel).
    int DecadesPerLabel = 1;
    // Minor grid lines between two labels: 8 (at 2 to 9 times a power of ten) when the
    // closest two would be at least kLeastMinorGap pixels apart, else 0.
    int MinorLines = 0;
    // Some value shown lies under the axis.
    bool SomethingBelow = false;
    double Low() const;
    double High() const;
    int Labels() const;
};

// The plan for positive values from `lowest` to `highest` on a plot `plotPixels` tall.
// Values not above 0 are not shown on a logarithm and are left to the caller.
LogAxisPlan PlanLogAxis(double lowest, double highest, double plotPixels);

// The note under the chart's title naming what runs below the axis, e.g. "Below 1e-12, under
// the axis: Least-squares SSE (fixed weights) 4.93e-30; Run 2"; empty when nothing does.
std::string BelowAxisNote(const LogAxisPlan& plan, const std::vector<std::string>& below);

}  // namespace mnemex::inside
