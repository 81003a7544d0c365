#include "core/DistortedProbe.h"

#include <cmath>
#include <numbers>
#include <random>

#include "core/NumberForms.h"
#include "core/PatternOrder.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

namespace {

std::string CheckRequest(const PublicStuff& state, int p, const Distortion& d) {
    if (p < 1 || p > state.NumPatterns)
        return "There is no pattern " + FormatWhole(p) + ".";
    if (!(d.NoiseDeviation >= 0.0) || !std::isfinite(d.NoiseDeviation))
        return "The noise's standard deviation must be a number of 0 or more.";
    if (!(d.ZeroFraction >= 0.0 && d.ZeroFraction <= 1.0))
        return "The fraction of input units set to 0 must be between 0 and 1.";
    return {};
}

}  // namespace

double UniformFromDraw(std::uint64_t x) {
    return static_cast<double>((x >> 11) + 1) * 0x1.0p-53;
}

DistortedInputs DistortPattern(const PublicStuff& state, int p, const Distortion& distortion) {
    CheckNetworkSizes(state);
    DistortedInputs result;
    result.Problem = CheckRequest(state, p, distortion);
    if (!result.Problem.empty())
        return result;
    const int n = state.NumInputs;
    const double* x = state.InputPatterns.Pattern(p);
    result.Inputs.assign(x, x + n);

    std::mt19937_64 engine(distortion.Seed);
    for (int i = 0; i < n; i += 2) {
        const double u1 = UniformFromDraw(engine());
        const double u2 = UniformFromDraw(engine());
        const double r = std::sqrt(-2.0 * std::log(u1));
        const double angle = 2.0 * std::numbers::pi * u2;
        const double g[2] = {r * std::cos(angle), r * std::sin(angle)};
        if (distortion.NoiseDeviation == 0.0)
            continue;
        for (int k = 0; k < 2 && i + k < n; ++k) {
            double& value = result.Inputs[static_cast<std::size_t>(i + k)];
            value = value + distortion.NoiseDeviation * g[k];
            if (!std::isfinite(value))
                throw RunTimeException(kOverflow);
        }
    }

    std::vector<int> units(static_cast<std::size_t>(n));
    ShuffleInto(engine, units);
    const auto zeroed = static_cast<std::size_t>(std::round(distortion.ZeroFraction * n));
    result.Zeroed.assign(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(zeroed));
    for (const int unit : result.Zeroed)
        result.Inputs[static_cast<std::size_t>(unit - 1)] = 0.0;
    return result;
}

PatternMeasures MeasureProbe(const PublicStuff& state, int p, const std::vector<double>& inputs) {
    CheckNetworkSizes(state);
    if (p < 1 || p > state.NumPatterns)
        throw RunTimeException(kSubscriptOutOfRange);
    const std::vector<double> a = RecallVector(state, inputs);
    PatternMeasures m = MeasureRecall(a.data(), state.DesiredOutputs.Pattern(p), state.NumOutputs);
    m.Pattern = p;
    return m;
}

}  // namespace mnemex
