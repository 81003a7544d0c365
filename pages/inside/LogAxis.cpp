#include "pages/inside/LogAxis.h"

#include <algorithm>
#include <cmath>

namespace mnemex::inside {

double LogAxisPlan::Low() const {
    return std::pow(10.0, LowExponent);
}

double LogAxisPlan::High() const {
    return std::pow(10.0, HighExponent);
}

int LogAxisPlan::Labels() const {
    // The axis labels the powers of its base, 10^DecadesPerLabel, within its range.
    int labels = 0;
    for (int e = LowExponent; e <= HighExponent; ++e)
        labels += e % DecadesPerLabel == 0 ? 1 : 0;
    return labels;
}

LogAxisPlan PlanLogAxis(double lowest, double highest, double plotPixels) {
    LogAxisPlan plan;
    if (!(highest > 0))
        return plan;  // nothing to show: 0.1 to 1
    if (!(lowest > 0) || lowest > highest)
        lowest = highest;
    plan.HighExponent = static_cast<int>(std::ceil(std::log10(highest)));
    int low = static_cast<int>(std::floor(std::log10(lowest)));
    if (low >= plan.HighExponent)
        low = plan.HighExponent - 1;
    // The floor: about kLogAxisDecades below the largest value, never more.
    low = std::max(low, static_cast<int>(std::floor(std::log10(highest))) - kLogAxisDecades);
    const int decades = plan.HighExponent - low;
    plan.DecadesPerLabel = std::max(1, (decades + kMostLogLabels - 2) / (kMostLogLabels - 1));
    plan.LowExponent = low;
    plan.SomethingBelow = std::log10(lowest) < plan.LowExponent;
    if (plan.DecadesPerLabel == 1) {
        const double decadePixels = plotPixels / (plan.HighExponent - plan.LowExponent);
        // The closest minor lines are 9 and 10 times a power of ten.
        if (decadePixels * std::log10(10.0 / 9.0) >= kLeastMinorGap)
            plan.MinorLines = 8;
    }
    return plan;
}

std::string BelowAxisNote(const LogAxisPlan& plan, const std::vector<std::string>& below) {
    if (below.empty())
        return {};
    std::string note = "Below 1e" + std::to_string(plan.LowExponent) + ", under the axis: ";
    for (std::size_t k = 0; k < below.size(); ++k)
        note += (k ? "; " : "") + below[k];
    return note;
}

}  // namespace mnemex::inside
