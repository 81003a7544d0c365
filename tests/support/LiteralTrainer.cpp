#include "tests/support/LiteralTrainer.h"

#include <cmath>
#include <stdexcept>

namespace mnemex::testsupport {

namespace {

double Checked(double v) {
    if (!std::isfinite(v))
        throw std::overflow_error("Overflow");
    return v;
}

}  // namespace

LiteralNet::LiteralNet(int numInputs, int numOutputs, int numPatterns,
                       const std::vector<double>& inputs, const std::vector<double>& desired,
                       bool hebb, double rate)
    : numInputs_(numInputs),
      numOutputs_(numOutputs),
      numPatterns_(numPatterns),
      hebb_(hebb),
      rate_(rate),
      inputPatterns_(static_cast<std::size_t>(numInputs + 1) * (numPatterns + 1)),
      desiredOutputs_(static_cast<std::size_t>(numOutputs + 1) * (numPatterns + 1)),
      inputUnits_(static_cast<std::size_t>(numInputs) + 1),
      outputUnits_(static_cast<std::size_t>(numOutputs) + 1),
      weights_(static_cast<std::size_t>(numOutputs + 1) * (numInputs + 1)) {
    std::size_t k = 0;
    for (int p = 1; p <= numPatterns; ++p)
        for (int i = 1; i <= numInputs; ++i)
            inputPatterns_[InputIndex(i, p)] = inputs[k++];
    k = 0;
    for (int p = 1; p <= numPatterns; ++p)
        for (int j = 1; j <= numOutputs; ++j)
            desiredOutputs_[DesiredIndex(j, p)] = desired[k++];
}

void LiteralNet::NewRun() {
    for (int i = 1; i <= numInputs_; ++i)
        for (int j = 1; j <= numOutputs_; ++j)
            weights_[Index(j, i)] = WeightRecord{};
    double sum = 0.0;
    for (int p = 1; p <= numPatterns_; ++p) {
        ComputeOutputs(p);
        sum = Checked(sum + PatternSSE());
    }
    untrainedSSE_ = sum;
}

void LiteralNet::ComputeOutputs(int p) {
    for (int i = 1; i <= numInputs_; ++i)
        inputUnits_[i].Activity = inputPatterns_[InputIndex(i, p)];
    for (int j = 1; j <= numOutputs_; ++j)
        outputUnits_[j].NetInput = 0.0;
    for (int i = 1; i <= numInputs_; ++i)
        for (int j = 1; j <= numOutputs_; ++j)
            outputUnits_[j].NetInput = Checked(
                weights_[Index(j, i)].Weight * inputUnits_[i].Activity + outputUnits_[j].NetInput);
    for (int j = 1; j <= numOutputs_; ++j) {
        outputUnits_[j].Activity = outputUnits_[j].NetInput;
        outputUnits_[j].Error =
            Checked(desiredOutputs_[DesiredIndex(j, p)] - outputUnits_[j].Activity);
    }
}

double LiteralNet::PatternSSE() const {
    double sum = 0.0;
    for (int j = 1; j <= numOutputs_; ++j)
        sum = Checked(sum + outputUnits_[j].Error * outputUnits_[j].Error);
    return sum;
}

void LiteralNet::ChangeWeights() {
    for (int i = 1; i <= numInputs_; ++i)
        for (int j = 1; j <= numOutputs_; ++j)
            weights_[Index(j, i)].Change =
                Checked(rate_ * inputUnits_[i].Activity * outputUnits_[j].Activity);
    for (int i = 1; i <= numInputs_; ++i)
        for (int j = 1; j <= numOutputs_; ++j)
            weights_[Index(j, i)].Weight =
                Checked(weights_[Index(j, i)].Weight + weights_[Index(j, i)].Change);
}

void LiteralNet::TrainHebb(int p) {
    for (int i = 1; i <= numInputs_; ++i)
        inputUnits_[i].Activity = inputPatterns_[InputIndex(i, p)];
    for (int j = 1; j <= numOutputs_; ++j)
        outputUnits_[j].Activity = desiredOutputs_[DesiredIndex(j, p)];
    ChangeWeights();
}

void LiteralNet::TrainDelta(int p) {
    for (int i = 1; i <= numInputs_; ++i)
        inputUnits_[i].Activity = inputPatterns_[InputIndex(i, p)];
    for (int j = 1; j <= numOutputs_; ++j)
        outputUnits_[j].Activity = desiredOutputs_[DesiredIndex(j, p)];
    ComputeOutputs(p);
    for (int j = 1; j <= numOutputs_; ++j)
        outputUnits_[j].Activity = outputUnits_[j].Error;
    ChangeWeights();
}

double LiteralNet::Epoch() {
    totalSSE_ = 0.0;
    for (int p = 1; p <= numPatterns_; ++p) {
        if (hebb_) {
            TrainHebb(p);
        } else {
            TrainDelta(p);
        }
        ComputeOutputs(p);
        totalSSE_ = Checked(totalSSE_ + PatternSSE());
    }
    return totalSSE_;
}

}  // namespace mnemex::testsupport
