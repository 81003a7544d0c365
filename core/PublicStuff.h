#pragma once
// The program-wide network state: counts, pattern store, network, training parameters
// and training record. Units and patterns are numbered from 1 everywhere.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/PatternOrder.h"

namespace mnemex {

// Largest count the 16-bit loop counters of the program can walk through.
inline constexpr int kMaxCount = 32767;
// Rows of the SSE history table (row 0 unused).
inline constexpr int kHistoryRows = 2000;

struct UnitRecord {
    double NetInput = 0.0;
    double Activity = 0.0;
    double Error = 0.0;
};

// A 1-based array of unit records: Units(1) is the first unit.
class UnitArray {
  public:
    void Reallocate(int count) { records_.assign(static_cast<std::size_t>(count), UnitRecord{}); }
    int Count() const { return static_cast<int>(records_.size()); }
    UnitRecord& operator()(int k) { return records_[static_cast<std::size_t>(k - 1)]; }
    const UnitRecord& operator()(int k) const { return records_[static_cast<std::size_t>(k - 1)]; }
    UnitRecord* data() { return records_.data(); }
    const UnitRecord* data() const { return records_.data(); }

  private:
    std::vector<UnitRecord> records_;
};

// Values of one kind of unit for every pattern: (unit, pattern), both from 1.
// Each pattern's vector is contiguous, unit 1 first, because training walks pattern by pattern.
class PatternTable {
  public:
    void Reallocate(int units, int patterns);
    int Units() const { return units_; }
    int Patterns() const { return patterns_; }
    double& operator()(int unit, int pattern) { return values_[Index(unit, pattern)]; }
    double operator()(int unit, int pattern) const { return values_[Index(unit, pattern)]; }
    // The vector of pattern p: Units() values, unit 1 first.
    const double* Pattern(int p) const { return values_.data() + Index(1, p); }
    double* Pattern(int p) { return values_.data() + Index(1, p); }
    std::vector<double>& Storage() { return values_; }
    const std::vector<double>& Storage() const { return values_; }
    void Adopt(int units, int patterns, std::vector<double> values);

  private:
    std::size_t Index(int unit, int pattern) const {
        return static_cast<std::size_t>(pattern - 1) * static_cast<std::size_t>(units_) +
               static_cast<std::size_t>(unit - 1);
    }
    int units_ = 0;
    int patterns_ = 0;
    std::vector<double> values_;
};

// The connection weights, addressed as (output unit j, input unit i).
//
// Storage: one row per input unit holding the weights to every output unit, so that
// a pass over an input row serves all output units at once. Change is not stored per
// connection: a learning step adds (rate x input) x activity to each weight, so the
// three factors of the latest step are kept and Change(j, i) is recomputed from them,
// bit for bit what was added.
class WeightMatrix {
  public:
    // Reallocates for the given counts; every weight and change is 0.
    void Reallocate(int numOutputs, int numInputs);
    // Sets every weight and change to 0, keeping the size.
    void Clear();

    int NumOutputs() const { return outputs_; }
    int NumInputs() const { return inputs_; }

    double Weight(int j, int i) const { return weights_[Index(j, i)]; }
    void SetWeight(int j, int i, double w) { weights_[Index(j, i)] = w; }
    // The amount the latest learning step added to Weight(j, i); 0 before any step.
    double Change(int j, int i) const;

    // Row of input unit i: NumOutputs() weights, output unit 1 first.
    const double* Row(int i) const { return weights_.data() + Index(1, i); }
    double* Row(int i) { return weights_.data() + Index(1, i); }
    const std::vector<double>& Storage() const { return weights_; }
    std::vector<double>& Storage() { return weights_; }

    // Records the factors of the learning step just applied: every weight (j, i)
    // received (rate x inputs[i-1]) x activities[j-1].
    void RecordStep(double rate, const double* inputs, const double* activities);

  private:
    std::size_t Index(int j, int i) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(outputs_) +
               static_cast<std::size_t>(j - 1);
    }
    int outputs_ = 0;
    int inputs_ = 0;
    std::vector<double> weights_;
    bool stepRecorded_ = false;
    double stepRate_ = 0.0;
    std::vector<double> stepInputs_;
    std::vector<double> stepActivities_;
};

// SSEHistory[r][1] is an epoch number, SSEHistory[r][2] the total SSE then; row 0
// and column 0 are never used.
using HistoryTable = std::array<std::array<double, 3>, kHistoryRows + 1>;

struct PublicStuff {
    // Counts
    std::int32_t NumOutputs = 0;
    std::int32_t SpareCount = 0;
    std::int32_t NumInputs = 0;
    std::int32_t NumPatterns = 0;

    // Pattern store
    PatternTable InputPatterns;   // (input unit, pattern)
    PatternTable DesiredOutputs;  // (output unit, pattern)

    // Network
    UnitArray InputUnits;
    UnitArray OutputUnits;
    WeightMatrix Weights;

    // Training parameters
    std::string LearningRule;
    double LearningRate = 0.0;
    std::int16_t StopAtMaxEpochs = 0;
    std::int16_t StopAtMinError = 0;
    std::int32_t MaxEpochs = 0;
    double MinError = 0.0;
    std::int32_t PrintInterval = 0;
    // How each epoch presents the patterns; file order unless an experiment asks otherwise.
    PatternOrder Order;

    // Training record
    std::int16_t NewRun = 0;
    std::int32_t EpochCount = 0;
    double TotalSSE = 0.0;
    std::int16_t SSECount = 0;
    HistoryTable SSEHistory{};

    std::string TrainingFileName;
    std::string ReportFileName;

    // Reallocates InputUnits, OutputUnits and Weights from the current counts, all zero.
    void ReallocateNetwork();
};

}  // namespace mnemex
