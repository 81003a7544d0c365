#include "pages/inside/PatternGrid.h"

#include <algorithm>
#include <cmath>

namespace mnemex::inside {

int ProposedWidth(int count) {
    if (count <= 0)
        return 0;
    const int root = static_cast<int>(std::lround(std::sqrt(static_cast<double>(count))));
    return root * root == count ? root : count;
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

}  // namespace mnemex::inside
