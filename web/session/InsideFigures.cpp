#include "web/session/InsideFigures.h"

#include <algorithm>
#include <cmath>

#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex::web {

int PictureWidth(int count) {
    if (count <= 0)
        return 0;
    const int root = static_cast<int>(std::sqrt(static_cast<double>(count)));
    for (int r = std::max(1, root - 1); r <= root + 1; ++r) {
        if (r * r == count)
            return r;
    }
    if (count <= 16)
        return count;
    for (int width = root + 1; width <= count; ++width) {
        if (count % width == 0) {
            if (width <= 2 * (count / width))
                return width;
            break;
        }
    }
    return root * root < count ? root + 1 : root;
}

namespace {

double Finite(double v) {
    if (!std::isfinite(v))
        throw RunTimeException(kOverflow);
    return v;
}

struct Range {
    double Low = 0.0;
    double High = 0.0;
    bool Empty = true;
    void Take(double v) {
        if (Empty || v < Low)
            Low = v;
        if (Empty || v > High)
            High = v;
        Empty = false;
    }
};

// A range of one value v is drawn from v - 0.5 to v + 0.5: that value shows as middle grey.
Scale GreyScale(const Range& r) {
    if (r.Empty)
        return {};
    if (r.Low == r.High)
        return {r.Low - 0.5, r.High + 0.5, false};
    return {r.Low, r.High, false};
}

void CheckPattern(const PublicStuff& state, int p) {
    CheckNetworkSizes(state);
    if (p < 1 || p > state.NumPatterns)
        throw RunTimeException(kSubscriptOutOfRange);
}

}  // namespace

PatternPictures PicturesOf(const PublicStuff& state, int p) {
    CheckPattern(state, p);
    PatternPictures out;
    const double* input = state.InputPatterns.Pattern(p);
    out.Input.assign(input, input + state.NumInputs);
    const double* desired = state.DesiredOutputs.Pattern(p);
    out.Desired.assign(desired, desired + state.NumOutputs);
    out.Recalled = RecallVector(state, out.Input);
    for (std::size_t k = 0; k < out.Desired.size(); ++k)
        out.Error.push_back(Finite(out.Desired[k] - Finite(out.Recalled[k])));

    Range inputs, outputs;
    for (int q = 1; q <= state.NumPatterns; ++q) {
        for (int i = 1; i <= state.NumInputs; ++i)
            inputs.Take(state.InputPatterns(i, q));
        for (int j = 1; j <= state.NumOutputs; ++j)
            outputs.Take(state.DesiredOutputs(j, q));
    }
    const Range desiredRange = outputs;
    for (double v : out.Recalled)
        outputs.Take(v);
    out.InputScale = GreyScale(inputs);
    out.OutputScale = GreyScale(outputs);
    double half = desiredRange.Empty || desiredRange.High == desiredRange.Low
                      ? 1.0
                      : (desiredRange.High - desiredRange.Low) / 2.0;
    for (double e : out.Error)
        half = std::max(half, std::fabs(e));
    out.ErrorScale = {-half, half, true};
    return out;
}

}  // namespace mnemex::web
