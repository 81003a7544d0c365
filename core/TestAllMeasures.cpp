#include "core/TestAllMeasures.h"

#include <cmath>

#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

PatternMeasures MeasureRecall(const double* a, const double* t, int n) {
    PatternMeasures m;
    if (n <= 0)
        return m;
    double sse = 0.0, at = 0.0, aa = 0.0, tt = 0.0;
    for (int j = 0; j < n; ++j) {
        const double e = t[j] - a[j];
        sse = sse + e * e;
        at = at + a[j] * t[j];
        aa = aa + a[j] * a[j];
        tt = tt + t[j] * t[j];
    }
    m.SSE = FiniteOrOverflow(sse);
    const double units = static_cast<double>(n);
    m.Ndp = FiniteOrOverflow(FiniteOrOverflow(at) / units);
    m.Nvl = FiniteOrOverflow(std::sqrt(FiniteOrOverflow(aa) / units));
    m.Vcor = aa == 0.0 || FiniteOrOverflow(tt) == 0.0
                 ? 0.0
                 : FiniteOrOverflow(at / (std::sqrt(aa) * std::sqrt(tt)));
    return m;
}

std::vector<PatternMeasures> MeasureAllPatterns(const PublicStuff& state) {
    CheckNetworkSizes(state);
    const int numOutputs = state.NumOutputs;
    const int numPatterns = state.NumPatterns;
    std::vector<PatternMeasures> all;
    all.reserve(static_cast<std::size_t>(numPatterns));
    std::vector<double> a;
    for (int p = 1; p <= numPatterns; ++p) {
        RecallInputs(state.Weights, state.InputPatterns.Pattern(p), a);
        PatternMeasures m = MeasureRecall(a.data(), state.DesiredOutputs.Pattern(p), numOutputs);
        m.Pattern = p;
        all.push_back(m);
    }
    return all;
}

}  // namespace mnemex
