#include "web/session/InsideFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "core/NumberForms.h"
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

// A figure with `digits` significant digits ("0.123044", "2.22045e-18"), or every digit.
std::string Figure(double v, int digits) {
    if (digits <= 0)
        return FormatGeneral(v);
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    return text;
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

std::vector<std::string> ExplainUnit(const PublicStuff& state, int p, int j, int digits,
                                     int shown) {
    const auto Num = [digits](double v) { return Figure(v, digits); };
    CheckPattern(state, p);
    if (j < 1 || j > state.NumOutputs)
        throw RunTimeException(kSubscriptOutOfRange);
    struct Term {
        int Input;
        double Weight, Value, Product;
    };
    std::vector<Term> terms;
    double net = 0.0;
    for (int i = 1; i <= state.NumInputs; ++i) {
        const double w = state.Weights.Weight(j, i);
        const double x = state.InputPatterns(i, p);
        const double product = w * x;
        net = product + net;  // recall's own sum: net = w * x + net, input by input
        terms.push_back({i, w, x, Finite(product)});
    }
    net = Finite(net);
    const double desired = state.DesiredOutputs(j, p);
    const double error = Finite(desired - net);
    const double rate = state.LearningRate;

    std::vector<std::size_t> order(terms.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::fabs(terms[a].Product) > std::fabs(terms[b].Product);
    });
    const std::size_t listed = std::min(terms.size(), static_cast<std::size_t>(std::max(0, shown)));
    std::vector<bool> isListed(terms.size(), false);
    for (std::size_t k = 0; k < listed; ++k)
        isListed[order[k]] = true;
    int restCount = 0;
    double restSum = 0.0;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        if (!isListed[k]) {
            restSum = terms[k].Product + restSum;
            ++restCount;
        }
    }

    std::vector<std::string> lines;
    lines.push_back("Output unit " + std::to_string(j) + ", pattern " + std::to_string(p) +
                    ": net input = sum of weight x input");
    for (std::size_t k = 0; k < listed; ++k) {
        const Term& t = terms[order[k]];
        lines.push_back("  input " + std::to_string(t.Input) + ": " + Num(t.Weight) + " x " +
                        Num(t.Value) + " = " + Num(t.Product));
    }
    if (restCount > 0)
        lines.push_back("  the other " + std::to_string(restCount) +
                        " terms together: " + Num(restSum));
    lines.push_back("Net input (the recalled output): " + Num(net));
    lines.push_back("Desired: " + Num(desired) + "   Error (desired - output): " + Num(error));
    lines.push_back("The Delta rule's next step (rate " + Num(rate) +
                    " x input x error) would change these weights:");
    for (std::size_t k = 0; k < listed; ++k) {
        const Term& t = terms[order[k]];
        const double change = Finite(rate * t.Value * error);
        lines.push_back("  weight from input " + std::to_string(t.Input) + ": " + Num(t.Weight) +
                        " by " + Num(change) + " to " + Num(t.Weight + change));
    }
    if (restCount > 0)
        lines.push_back("  (and the other " + std::to_string(restCount) +
                        " weights by rate x their input x error; 0 where the input is 0)");
    return lines;
}

}  // namespace mnemex::web
