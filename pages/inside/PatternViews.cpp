#include "pages/inside/PatternViews.h"

#include <cmath>

#include "core/LeastSquares.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex::inside {

PatternViews PatternViewsOf(const PublicStuff& state, int p) {
    CheckNetworkSizes(state);
    if (p < 1 || p > state.NumPatterns)
        throw RunTimeException(kSubscriptOutOfRange);
    PatternViews v;
    const double* in = state.InputPatterns.Pattern(p);
    const double* desired = state.DesiredOutputs.Pattern(p);
    v.Input.assign(in, in + state.NumInputs);
    v.Desired.assign(desired, desired + state.NumOutputs);
    v.Recalled = RecallVector(state, v.Input);
    for (std::size_t j = 0; j < v.Recalled.size(); ++j) {
        const double error = v.Desired[j] - v.Recalled[j];
        if (!std::isfinite(error))
            throw RunTimeException(kOverflow);
        v.Error.push_back(error);
    }
    return v;
}

PatternRanges RangesOf(const PublicStuff& state) {
    PatternRanges r;
    bool first = true;
    for (int p = 1; p <= state.NumPatterns; ++p) {
        const double* in = state.InputPatterns.Pattern(p);
        const double* desired = state.DesiredOutputs.Pattern(p);
        const std::vector<double> inputs(in, in + state.NumInputs);
        const std::vector<double> outputs(desired, desired + state.NumOutputs);
        if (first) {
            r.Inputs = RangeOf(inputs);
            r.Desired = RangeOf(outputs);
            first = false;
        }
        r.Inputs = Widened(r.Inputs, inputs);
        r.Desired = Widened(r.Desired, outputs);
    }
    return r;
}

PictureScales ScalesFor(const PatternRanges& ranges, const PatternViews& shown) {
    PictureScales s;
    s.Input = GreyScale(Widened(ranges.Inputs, shown.Input));
    s.Output = GreyScale(Widened(Widened(ranges.Desired, shown.Desired), shown.Recalled));
    s.Error = ErrorScale(shown.Error, ranges.Desired);
    return s;
}

FixedWeightFigures FixedWeightFiguresOf(const PublicStuff& state) {
    FixedWeightFigures f;
    const LeastSquaresResult best = SolveLeastSquares(state);
    if (best.Solved)
        f.LeastSquaresSSE = best.TotalSSE;
    else
        f.Note = best.Note;
    f.CurrentSSE = FixedWeightSSE(state, state.Weights);
    return f;
}

}  // namespace mnemex::inside
