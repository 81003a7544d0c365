#pragma once
// One epoch of training: every pattern once, in file order or the epoch's permuted order,
// each learned and then measured.

#include <memory>
#include <vector>

#include "core/PublicStuff.h"
#include "core/kernels/EpochKernels.h"

namespace mnemex {

namespace kernels {
class WorkerCrew;
}

// How epochs are computed. Every choice gives the same numbers, bit for bit; the choices
// exist so that tests can run each way and benchmarks can compare them.
struct EpochTrainerSettings {
    enum class Path {
        kAuto,       // the fastest kernels this processor runs
        kReference,  // the learning rules one pattern at a time (TrainHebb, TrainDelta)
        kBaseline,   // SSE2 kernels
        kAvx2,       // AVX2 kernels (the baseline ones where the processor lacks AVX2)
        kAvx512,     // AVX-512 kernels (the baseline ones where the processor lacks AVX-512)
    };
    Path path = Path::kAuto;
    int threads = 0;  // 0: chosen from the network's size; n: n threads (at most one per block)
    int chunkPatterns = 0;  // 0: chosen from the cache size; n: n patterns per tile visit
    int lanes = 0;  // 0: chosen from the shape; 8, 16 or (AVX-512 only) 32 output units per block
};

// Brings the weights of `state` up to date when a run on it keeps them elsewhere: the hook a
// reader calls while a run is open (a page's timer, from the event pump the run calls between
// epochs, on the run's own thread). Does nothing when no run is training on `state`.
void PublishTrainingWeights(const PublicStuff& state);

// Settings for trainers constructed from now on (a process-wide choice).
void SetEpochTrainerSettings(const EpochTrainerSettings& settings);
EpochTrainerSettings CurrentEpochTrainerSettings();

// Runs epochs on a state whose sizes stay fixed for the trainer's lifetime. All working
// memory is allocated here, none per epoch.
class EpochTrainer {
  public:
    explicit EpochTrainer(PublicStuff& state);
    ~EpochTrainer();
    EpochTrainer(const EpochTrainer&) = delete;
    EpochTrainer& operator=(const EpochTrainer&) = delete;

    // TotalSSE = 0; for each pattern p in presentation order: learning step for p,
    // ComputeOutputs(p), TotalSSE += PatternSSE. The order is file order, or under a
    // permuted PatternOrder that of epoch EpochCount (the epoch being run). Throws
    // RunTimeException on overflow, leaving the state exactly as the pattern-by-pattern
    // routines leave it when they fail at that point.
    void RunEpoch();

    // Sum over the patterns in file order of PatternSSE after ComputeOutputs, with the weights
    // as they stand (no learning); the unit records are left as ComputeOutputs for the
    // last pattern leaves them. Throws RunTimeException on overflow, as those routines do.
    double MeasureTotalSSE();

    // The kernels keep the weights in their own layout between epochs; this brings the
    // state's weights up to date with them (nothing when they already are). Everything else
    // a reader sees (totals, unit records, the last step's Change) is kept current after
    // every epoch. Call it between epochs, on the thread that runs them.
    void PublishWeights();

    // Threads the epochs use (1 on the reference path).
    int Threads() const;
    // The kernels' instruction set, or nothing on the reference path.
    bool UsesKernels() const { return kernels_; }
    kernels::InstructionSet InstructionSet() const { return isa_; }
    // Output units per block of the kernels' weight layout.
    int Lanes() const { return lanes_; }

  private:
    void SetUpKernels(const EpochTrainerSettings& chosen);
    void ReleaseKernels();
    void ReferenceEpoch();
    bool KernelEpoch();
    bool RunJobs(bool measureOnly);
    bool SumErrors(double& total) const;
    void PublishUnits(int lastPattern);
    void ChooseOrder();
    int PatternAt(int position) const;
    void LoadPanel();
    void CopyIn(int firstBlock, int endBlock);
    void CopyOut(int firstBlock, int endBlock);

    PublicStuff& state_;
    bool hebb_;
    bool kernels_ = false;
    kernels::InstructionSet isa_ = kernels::InstructionSet::kBaseline;
    int numInputs_ = 0;
    int numOutputs_ = 0;
    int numPatterns_ = 0;
    int lanes_ = kernels::kNarrowLanes;
    int blocks_ = 0;
    int chunk_ = 1;
    // Two panels, 64-byte aligned: an epoch reads the weights it starts from in panel_ and
    // leaves its new weights in spare_, and on success the two change places. An epoch that
    // overflows thus still finds its starting weights, without a copy per epoch.
    std::vector<double> panelStorage_;
    std::vector<double> spareStorage_;
    double* panel_ = nullptr;
    double* spare_ = nullptr;
    bool panelLoaded_ = false;   // panel_ holds the latest weights
    bool statePending_ = false;  // the state's weights are older than panel_
    std::vector<double> errors_;
    std::vector<double> lastNet_;
    std::vector<double> lastActivity_;
    std::vector<double> carry_;
    std::vector<int> firstBlock_;  // member m trains blocks firstBlock_[m] .. firstBlock_[m+1]-1
    std::vector<char> memberOk_;
    bool permuted_ = false;
    std::vector<int> order_;       // this epoch's patterns in presentation order, from 1
    std::vector<int> orderIndex_;  // the same from 0, for the kernels
    std::unique_ptr<kernels::WorkerCrew> crew_;
};

}  // namespace mnemex
