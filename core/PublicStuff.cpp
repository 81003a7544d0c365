#include "core/PublicStuff.h"

#include <algorithm>

namespace mnemex {

void PatternTable::Reallocate(int units, int patterns) {
    units_ = units;
    patterns_ = patterns;
    values_.assign(static_cast<std::size_t>(units) * static_cast<std::size_t>(patterns), 0.0);
}

void PatternTable::Adopt(int units, int patterns, std::vector<double> values) {
    units_ = units;
    patterns_ = patterns;
    values_ = std::move(values);
}

void WeightMatrix::Reallocate(int numOutputs, int numInputs) {
    // Assign a fresh vector so that a smaller network also gives the memory back.
    std::vector<double>(static_cast<std::size_t>(numOutputs) * static_cast<std::size_t>(numInputs),
                        0.0)
        .swap(weights_);
    outputs_ = numOutputs;
    inputs_ = numInputs;
    stepRecorded_ = false;
    stepInputs_.clear();
    stepActivities_.clear();
}

void WeightMatrix::Clear() {
    std::fill(weights_.begin(), weights_.end(), 0.0);
    stepRecorded_ = false;
}

double WeightMatrix::Change(int j, int i) const {
    if (!stepRecorded_)
        return 0.0;
    return (stepRate_ * stepInputs_[static_cast<std::size_t>(i - 1)]) *
           stepActivities_[static_cast<std::size_t>(j - 1)];
}

void WeightMatrix::RecordStep(double rate, const double* inputs, const double* activities) {
    stepRecorded_ = true;
    stepRate_ = rate;
    stepInputs_.assign(inputs, inputs + inputs_);
    stepActivities_.assign(activities, activities + outputs_);
}

void PublicStuff::ReallocateNetwork() {
    InputUnits.Reallocate(NumInputs);
    OutputUnits.Reallocate(NumOutputs);
    Weights.Reallocate(NumOutputs, NumInputs);
}

}  // namespace mnemex
