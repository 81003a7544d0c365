#include "core/UnitExplanation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

namespace {

double Finite(double v) {
    if (!std::isfinite(v))
        throw RunTimeException(kOverflow);
    return v;
}

}  // namespace

UnitExplanation ExplainUnit(const PublicStuff& state, int p, int j, int shown) {
    CheckNetworkSizes(state);
    if (p < 1 || p > state.NumPatterns || j < 1 || j > state.NumOutputs)
        throw RunTimeException(kSubscriptOutOfRange);
    UnitExplanation e;
    e.Pattern = p;
    e.Output = j;
    const int n = state.NumInputs;
    std::vector<WeightTerm> terms;
    terms.reserve(static_cast<std::size_t>(n));
    double net = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double w = state.Weights.Weight(j, i);
        const double x = state.InputPatterns(i, p);
        const double term = w * x;
        // The same operation, in the same order, as recall's net = w * x + net.
        net = term + net;
        terms.push_back({i, w, x, Finite(term)});
    }
    e.NetInput = Finite(net);
    e.Desired = state.DesiredOutputs(j, p);
    e.Error = Finite(e.Desired - e.NetInput);
    e.Rate = state.LearningRate;

    std::vector<std::size_t> byMagnitude(terms.size());
    std::iota(byMagnitude.begin(), byMagnitude.end(), std::size_t{0});
    std::stable_sort(byMagnitude.begin(), byMagnitude.end(), [&](std::size_t a, std::size_t b) {
        return std::fabs(terms[a].Term) > std::fabs(terms[b].Term);
    });
    const std::size_t listed = std::min(terms.size(), static_cast<std::size_t>(std::max(0, shown)));
    std::vector<bool> isListed(terms.size(), false);
    for (std::size_t k = 0; k < listed; ++k) {
        e.Largest.push_back(terms[byMagnitude[k]]);
        isListed[byMagnitude[k]] = true;
    }
    for (std::size_t k = 0; k < terms.size(); ++k) {
        if (!isListed[k]) {
            e.RestSum = terms[k].Term + e.RestSum;
            ++e.RestCount;
        }
    }
    e.DeltaChanges.reserve(terms.size());
    for (const WeightTerm& t : terms)
        e.DeltaChanges.push_back(Finite(e.Rate * t.Value * e.Error));
    return e;
}

std::vector<std::string> ExplanationLines(const UnitExplanation& e, int digits) {
    const auto Num = [digits](double v) {
        return digits > 0 ? FormatSignificant(v, digits) : FormatGeneral(v);
    };
    std::vector<std::string> lines;
    lines.push_back("Output unit " + std::to_string(e.Output) + ", pattern " +
                    std::to_string(e.Pattern) + ": net input = sum of weight x input");
    for (const WeightTerm& t : e.Largest)
        lines.push_back("  input " + std::to_string(t.Input) + ": " + Num(t.Weight) + " x " +
                        Num(t.Value) + " = " + Num(t.Term));
    if (e.RestCount > 0)
        lines.push_back("  the other " + std::to_string(e.RestCount) +
                        " terms together: " + Num(e.RestSum));
    lines.push_back("Net input (the recalled output): " + Num(e.NetInput));
    lines.push_back("Desired: " + Num(e.Desired) + "   Error (desired - output): " + Num(e.Error));
    lines.push_back("The Delta rule's next step (rate " + Num(e.Rate) +
                    " x input x error) would change these weights:");
    for (const WeightTerm& t : e.Largest) {
        const double change = e.DeltaChanges[static_cast<std::size_t>(t.Input - 1)];
        lines.push_back("  weight from input " + std::to_string(t.Input) + ": " + Num(t.Weight) +
                        " by " + Num(change) + " to " + Num(t.Weight + change));
    }
    if (e.RestCount > 0)
        lines.push_back("  (and the other " + std::to_string(e.RestCount) +
                        " weights by rate x their input x error; 0 where the input is 0)");
    return lines;
}

}  // namespace mnemex
