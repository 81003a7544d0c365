#pragma once
// The training loops written out literally, one statement per step, as the yardstick the
// benchmarks measure the core against. Arrays keep index 0 and the (unit, pattern) and
// (output, input) layouts of the original two-dimensional arrays, first index fastest.

#include <vector>

namespace mnemex::testsupport {

class LiteralNet {
  public:
    // A network with the given sizes; inputs and desired values are pattern by pattern,
    // unit 1 first, as a training file lists them.
    LiteralNet(int numInputs, int numOutputs, int numPatterns, const std::vector<double>& inputs,
               const std::vector<double>& desired, bool hebb, double rate);

    // Weights 0, EpochCount 0, history row 1 (the untrained total SSE), as Start Training does.
    void NewRun();
    // One epoch: every pattern learned, then measured; returns the epoch's total SSE.
    // Throws std::overflow_error on a value that is not finite.
    double Epoch();

    double Weight(int j, int i) const { return weights_[Index(j, i)].Weight; }
    double TotalSSE() const { return totalSSE_; }
    // The total SSE before any training, as NewRun measured it (the first history row).
    double UntrainedSSE() const { return untrainedSSE_; }

  private:
    struct Unit {
        double NetInput = 0.0, Activity = 0.0, Error = 0.0;
    };
    struct WeightRecord {
        double Weight = 0.0, Change = 0.0;
    };
    std::size_t Index(int j, int i) const {
        return static_cast<std::size_t>(i) * (numOutputs_ + 1) + j;
    }
    std::size_t InputIndex(int i, int p) const {
        return static_cast<std::size_t>(p) * (numInputs_ + 1) + i;
    }
    std::size_t DesiredIndex(int j, int p) const {
        return static_cast<std::size_t>(p) * (numOutputs_ + 1) + j;
    }
    void ComputeOutputs(int p);
    double PatternSSE() const;
    void TrainHebb(int p);
    void TrainDelta(int p);
    void ChangeWeights();

    int numInputs_, numOutputs_, numPatterns_;
    bool hebb_;
    double rate_;
    std::vector<double> inputPatterns_, desiredOutputs_;
    std::vector<Unit> inputUnits_, outputUnits_;
    std::vector<WeightRecord> weights_;
    double totalSSE_ = 0.0;
    double untrainedSSE_ = 0.0;
};

}  // namespace mnemex::testsupport
