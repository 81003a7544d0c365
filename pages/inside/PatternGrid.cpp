#include "pages/inside/PatternGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mnemex::inside {

int ProposedWidth(int count) {
    if (count <= 0)
        return 0;
    const int root = static_cast<int>(std::lround(std::sqrt(static_cast<double>(count))));
    if (root * root == count)
        return root;
    if (count <= kStripUnits)
        return count;
    const int up = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    for (int width = up; width <= 2 * up && width <= count; ++width)
        if (count % width == 0 && width <= 2 * (count / width))
            return width;
    return up;
}

int GridRows(int count, int width) {
    if (count <= 0 || width <= 0)
        return 0;
    return (count + width - 1) / width;
}

bool WidthFits(int count, int width) {
    return count <= 0 || (width >= 1 && width <= count);
}

ValueRange RangeOf(const std::vector<double>& values) {
    if (values.empty())
        return {};
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low, *high};
}

int GreyLevel(double v, const ValueRange& range) {
    if (!(range.High > range.Low))
        return 128;
    const double t = (v - range.Low) / (range.High - range.Low);
    return std::clamp(static_cast<int>(std::lround(t * 255.0)), 0, 255);
}

ValueRange Widened(ValueRange range, const std::vector<double>& values) {
    for (double v : values) {
        range.Low = std::min(range.Low, v);
        range.High = std::max(range.High, v);
    }
    return range;
}

PictureScale GreyScale(ValueRange range) {
    if (!(range.High > range.Low))
        return {range.Low - 0.5, range.Low + 0.5, false};
    return {range.Low, range.High, false};
}

PictureScale ErrorScale(const std::vector<double>& errors, ValueRange desiredOverAllPatterns) {
    const double spread = desiredOverAllPatterns.High - desiredOverAllPatterns.Low;
    double half = spread > 0 ? spread / 2 : 1.0;
    for (double e : errors)
        half = std::max(half, std::abs(e));
    return {-half, half, true};
}

namespace {
std::string Short(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return text;
}
}  // namespace

std::string ScaleText(const PictureScale& scale) {
    return scale.Diverging ? Short(scale.Low) + " blue to " + Short(scale.High) + " red"
                           : Short(scale.Low) + " black to " + Short(scale.High) + " white";
}

}  // namespace mnemex::inside
