#include "core/LeastSquares.h"

// The same weights, to the bit, on every processor and in the browser: Eigen's vector paths
// (SSE2 here, none for WebAssembly) sum in other orders, so none is used, and its product
// blocking follows the cache sizes set below, never the processor's own.
#define EIGEN_DONT_VECTORIZE
#include <Eigen/SVD>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex {

namespace {

using ConstMap = Eigen::Map<const Eigen::MatrixXd>;

// Eigen's own default cache sizes, fixed for every machine (set once, before any product).
void FixProductBlocking() {
    static const bool fixed = [] {
        Eigen::setCpuCacheSizes(32 * 1024, 256 * 1024, 2 * 1024 * 1024);
        return true;
    }();
    static_cast<void>(fixed);
}

// W* = D V S+ U^T from the thin decomposition X = U S V^T.
void FillWeights(const ConstMap& x, const ConstMap& d, LeastSquaresResult& result) {
    FixProductBlocking();
    const Eigen::BDCSVD<Eigen::MatrixXd> svd(x, Eigen::ComputeThinU | Eigen::ComputeThinV);
    const Eigen::VectorXd& s = svd.singularValues();
    const double largest = s.size() > 0 ? s(0) : 0.0;
    const double cutoff = static_cast<double>(std::max(x.rows(), x.cols())) *
                          std::numeric_limits<double>::epsilon() * largest;
    Eigen::Index rank = 0;
    while (rank < s.size() && s(rank) > 0.0 && !(s(rank) < cutoff))
        ++rank;
    result.Rank = static_cast<int>(rank);
    // (D V_r) S_r^-1 U_r^T: outputs x inputs.
    Eigen::MatrixXd dv = d * svd.matrixV().leftCols(rank);
    for (Eigen::Index k = 0; k < rank; ++k)
        dv.col(k) /= s(k);
    const Eigen::MatrixXd w = dv * svd.matrixU().leftCols(rank).transpose();
    for (int i = 1; i <= result.Weights.NumInputs(); ++i)
        for (int j = 1; j <= result.Weights.NumOutputs(); ++j)
            result.Weights.SetWeight(j, i, FiniteOrOverflow(w(j - 1, i - 1)));
}

}  // namespace

bool LeastSquaresFits(int numInputs, int numPatterns, double workLimit) {
    const double work = static_cast<double>(numInputs) * static_cast<double>(numPatterns) *
                        static_cast<double>(std::min(numInputs, numPatterns));
    return work <= workLimit;
}

LeastSquaresResult SolveLeastSquares(const PublicStuff& state, double workLimit) {
    CheckNetworkSizes(state);
    LeastSquaresResult result;
    const int in = state.NumInputs, out = state.NumOutputs, patterns = state.NumPatterns;
    if (!LeastSquaresFits(in, patterns, workLimit)) {
        result.Note = "The least-squares weights were not computed: " + FormatWhole(in) +
                      " inputs by " + FormatWhole(patterns) +
                      " patterns are too many to decompose in a few seconds.";
        return result;
    }
    result.Weights.Reallocate(out, in);
    // With no inputs or no patterns the pseudoinverse is empty and W* is all 0.
    if (in > 0 && patterns > 0 && out > 0) {
        const ConstMap x(state.InputPatterns.Storage().data(), in, patterns);
        const ConstMap d(state.DesiredOutputs.Storage().data(), out, patterns);
        FillWeights(x, d, result);
    }
    result.TotalSSE = FixedWeightSSE(state, result.Weights);
    result.Solved = true;
    return result;
}

double FixedWeightSSE(const PublicStuff& state, const WeightMatrix& weights) {
    CheckNetworkSizes(state);
    if (weights.NumInputs() != state.NumInputs || weights.NumOutputs() != state.NumOutputs)
        throw RunTimeException(kSubscriptOutOfRange);
    double total = 0.0;
    std::vector<double> net;
    for (int p = 1; p <= state.NumPatterns; ++p) {
        RecallInputs(weights, state.InputPatterns.Pattern(p), net);
        const double* desired = state.DesiredOutputs.Pattern(p);
        double sse = 0.0;
        for (int j = 0; j < state.NumOutputs; ++j) {
            const double e = desired[j] - net[static_cast<std::size_t>(j)];
            sse = sse + e * e;
        }
        total = FiniteOrOverflow(total + FiniteOrOverflow(sse));
    }
    return total;
}

}  // namespace mnemex
