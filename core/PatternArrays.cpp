#include "core/PatternArrays.h"

#include <cmath>

#include "core/RunTimeError.h"

namespace mnemex {

namespace {

std::string Count(long long n) {
    return std::to_string(n);
}

// The first value that is not a finite number, described for a message.
std::optional<TrainingFileError> FirstBadValue(const std::string& name,
                                               const std::vector<double>& values, long long units,
                                               const char* what) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double v = values[k];
        if (std::isfinite(v))
            continue;
        const long long unit = static_cast<long long>(k) % units + 1;
        const long long pattern = static_cast<long long>(k) / units + 1;
        const std::string shown = std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
        return TrainingFileError{std::isnan(v) ? kTypeMismatch : kOverflow,
                                 "The patterns \"" + name + "\" have " + shown + " as " + what +
                                     " " + Count(unit) + " of pattern " + Count(pattern) +
                                     "; every value must be a finite number."};
    }
    return std::nullopt;
}

std::optional<TrainingFileError> CheckCount(const std::string& name, long long count,
                                            const char* what) {
    if (count >= 0 && count <= kMaxCount)
        return std::nullopt;
    return TrainingFileError{kOverflow, "The patterns \"" + name + "\" give " + Count(count) +
                                            " as the " + what + "; it must lie between 0 and " +
                                            Count(kMaxCount) + "."};
}

}  // namespace

std::optional<TrainingFileError> StorePatterns(PublicStuff& state, const std::string& name,
                                               PatternArrays a) {
    if (auto e = CheckCount(name, a.NumOutputs, "number of output units"))
        return e;
    if (auto e = CheckCount(name, a.NumInputs, "number of input units"))
        return e;
    if (auto e = CheckCount(name, a.NumPatterns, "number of patterns"))
        return e;
    const auto inputCount = static_cast<std::size_t>(a.NumInputs * a.NumPatterns);
    const auto outputCount = static_cast<std::size_t>(a.NumOutputs * a.NumPatterns);
    if (a.Inputs.size() != inputCount || a.Desired.size() != outputCount) {
        return TrainingFileError{
            kSubscriptOutOfRange,
            "The patterns \"" + name + "\" hold " + Count(static_cast<long long>(a.Inputs.size())) +
                " input values and " + Count(static_cast<long long>(a.Desired.size())) +
                " desired output values where their counts call for " +
                Count(static_cast<long long>(inputCount)) + " and " +
                Count(static_cast<long long>(outputCount)) + "."};
    }
    if (auto e = FirstBadValue(name, a.Inputs, a.NumInputs, "input value"))
        return e;
    if (auto e = FirstBadValue(name, a.Desired, a.NumOutputs, "desired output value"))
        return e;

    state.NumOutputs = static_cast<std::int32_t>(a.NumOutputs);
    state.SpareCount = 0;
    state.NumInputs = static_cast<std::int32_t>(a.NumInputs);
    state.NumPatterns = static_cast<std::int32_t>(a.NumPatterns);
    state.InputPatterns.Adopt(state.NumInputs, state.NumPatterns, std::move(a.Inputs));
    state.DesiredOutputs.Adopt(state.NumOutputs, state.NumPatterns, std::move(a.Desired));
    return std::nullopt;
}

}  // namespace mnemex
