#include "core/TrainingEpoch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

#include "core/HardwareThreads.h"
#include "core/HugePages.h"
#include "core/Learning.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "core/kernels/WorkerCrew.h"

namespace mnemex {

namespace {

// Below this many weight updates per epoch a second thread costs more than it saves.
constexpr double kThreadedWork = 2.0e6;
// Bytes of input patterns a tile is carried through before the next tile: with the tile
// itself this stays inside a core's second-level cache.
constexpr std::size_t kChunkBytes = 128 * 1024;

std::mutex settingsMutex;
EpochTrainerSettings settings;

// The trainers whose state's weights may lag behind their panels, by state.
std::mutex trainersMutex;
std::vector<std::pair<const PublicStuff*, EpochTrainer*>> trainers;

// A zeroed panel, advised onto huge pages before its first touch: on a virtual machine
// each 4 KB page fault can cost tens of microseconds, several milliseconds per panel.
double* Aligned(std::vector<double>& storage, std::size_t size) {
    storage.reserve(size);
    AdviseHugePages(storage.data(), size * sizeof(double));
    storage.assign(size, 0.0);
    const auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    return storage.data() + ((64 - address % 64) % 64) / sizeof(double);
}

bool Within16Bits(std::int32_t count) {
    return count >= 0 && count <= kMaxCount;
}

// Whether the state's arrays agree with its counts, so the kernels may read them directly.
bool ConsistentSizes(const PublicStuff& s) {
    const auto in = static_cast<std::size_t>(s.NumInputs);
    const auto out = static_cast<std::size_t>(s.NumOutputs);
    const auto patterns = static_cast<std::size_t>(s.NumPatterns);
    return Within16Bits(s.NumInputs) && Within16Bits(s.NumOutputs) && Within16Bits(s.NumPatterns) &&
           s.InputPatterns.Storage().size() == in * patterns &&
           s.DesiredOutputs.Storage().size() == out * patterns &&
           s.Weights.NumInputs() == s.NumInputs && s.Weights.NumOutputs() == s.NumOutputs &&
           s.InputUnits.Count() == s.NumInputs && s.OutputUnits.Count() == s.NumOutputs;
}

// Output units per block. Wide blocks need fewer memory operations per weight (one
// broadcast of an input serves more lanes) and give each row more independent sums to
// hide the adds' latency, but only pay while their padding stays small: the widest the
// instruction set has whose lanes exceed the 8-lane layout's by at most 10 %. The 128-bit
// kernels have too few registers for wide blocks, and only the 512-bit ones have 32 lanes.
// `wanted`, when a width the instruction set's kernels are compiled for, overrides it.
int ChooseLanes(kernels::InstructionSet isa, int numOutputs, int wanted) {
    const bool avx512 = isa == kernels::InstructionSet::kAvx512;
    const bool wide = avx512 || isa == kernels::InstructionSet::kAvx2;
    if (wanted == kernels::kNarrowLanes || wanted == kernels::kWideLanes ||
        (avx512 && wanted == kernels::kWidestLanes))
        return wanted;
    const auto padded = [numOutputs](int lanes) {
        return kernels::BlockCount(numOutputs, lanes) * lanes;
    };
    const int narrow = padded(kernels::kNarrowLanes);
    if (avx512 && 10 * padded(kernels::kWidestLanes) <= 11 * narrow)
        return kernels::kWidestLanes;
    if (wide && 10 * padded(kernels::kWideLanes) <= 11 * narrow)
        return kernels::kWideLanes;
    return kernels::kNarrowLanes;
}

}  // namespace

void SetEpochTrainerSettings(const EpochTrainerSettings& value) {
    std::lock_guard<std::mutex> lock(settingsMutex);
    settings = value;
}

EpochTrainerSettings CurrentEpochTrainerSettings() {
    std::lock_guard<std::mutex> lock(settingsMutex);
    return settings;
}

void PublishTrainingWeights(const PublicStuff& state) {
    EpochTrainer* trainer = nullptr;
    {
        std::lock_guard<std::mutex> lock(trainersMutex);
        for (const auto& [s, t] : trainers) {
            if (s == &state)
                trainer = t;
        }
    }
    if (trainer)
        trainer->PublishWeights();
}

EpochTrainer::EpochTrainer(PublicStuff& state)
    : state_(state), hebb_(UsesHebbRule(state)), permuted_(state.Order.Permuted) {
    if (permuted_ && Within16Bits(state.NumPatterns)) {
        order_.reserve(static_cast<std::size_t>(state.NumPatterns));
        orderIndex_.reserve(static_cast<std::size_t>(state.NumPatterns));
    }
    const EpochTrainerSettings chosen = CurrentEpochTrainerSettings();
    if (chosen.path == EpochTrainerSettings::Path::kReference || !ConsistentSizes(state) ||
        !kernels::Supports(kernels::InstructionSet::kBaseline))
        return;
    try {
        SetUpKernels(chosen);
        std::lock_guard<std::mutex> lock(trainersMutex);
        trainers.emplace_back(&state_, this);
    } catch (const std::bad_alloc&) {
        // The kernels' copy of the weights does not fit: the pattern-by-pattern routines
        // need no extra memory and give the same numbers.
        ReleaseKernels();
    }
}

void EpochTrainer::ReleaseKernels() {
    crew_.reset();
    kernels_ = false;
    std::vector<double>().swap(panelStorage_);
    std::vector<double>().swap(spareStorage_);
    spare_ = nullptr;
    std::vector<double>().swap(errors_);
    std::vector<double>().swap(lastNet_);
    std::vector<double>().swap(lastActivity_);
    std::vector<double>().swap(carry_);
    panel_ = nullptr;
    firstBlock_.clear();
    memberOk_.clear();
}

void EpochTrainer::SetUpKernels(const EpochTrainerSettings& chosen) {
    kernels_ = true;
    switch (chosen.path) {
        case EpochTrainerSettings::Path::kBaseline:
            isa_ = kernels::InstructionSet::kBaseline;
            break;
        case EpochTrainerSettings::Path::kAvx2:
            isa_ = kernels::Supports(kernels::InstructionSet::kAvx2)
                       ? kernels::InstructionSet::kAvx2
                       : kernels::InstructionSet::kBaseline;
            break;
        case EpochTrainerSettings::Path::kAvx512:
            isa_ = kernels::Supports(kernels::InstructionSet::kAvx512)
                       ? kernels::InstructionSet::kAvx512
                       : kernels::InstructionSet::kBaseline;
            break;
        default:
            isa_ = kernels::BestInstructionSet();
            break;
    }
    numInputs_ = state_.NumInputs;
    numOutputs_ = state_.NumOutputs;
    numPatterns_ = state_.NumPatterns;
    lanes_ = ChooseLanes(isa_, numOutputs_, chosen.lanes);
    blocks_ = kernels::BlockCount(numOutputs_, lanes_);

    const auto in = static_cast<std::size_t>(numInputs_);
    const auto lanes = static_cast<std::size_t>(blocks_) * static_cast<std::size_t>(lanes_);
    // Room for the tiles plus one cache line, so they can start on a line boundary.
    panel_ = Aligned(panelStorage_, lanes * in + 8);
    spare_ = Aligned(spareStorage_, lanes * in + 8);
    errors_.assign(static_cast<std::size_t>(numPatterns_) * static_cast<std::size_t>(numOutputs_),
                   0.0);
    lastNet_.assign(static_cast<std::size_t>(numOutputs_), 0.0);
    lastActivity_.assign(static_cast<std::size_t>(numOutputs_), 0.0);
    carry_.assign(lanes, 0.0);

    chunk_ = numInputs_ > 0 ? static_cast<int>(kChunkBytes / (in * sizeof(double))) : numPatterns_;
    if (chosen.chunkPatterns > 0)
        chunk_ = chosen.chunkPatterns;
    chunk_ = std::max(1, chunk_);

    int threads = 1;
    if (chosen.threads > 0) {
        threads = chosen.threads;
    } else {
        const double work = static_cast<double>(in) * static_cast<double>(lanes) * numPatterns_;
        if (work >= kThreadedWork)
            threads = static_cast<int>(HardwareThreads());
    }
    threads = std::max(1, std::min(threads, blocks_));
    if (threads > 1) {
        crew_ = std::make_unique<kernels::WorkerCrew>(threads);
        threads = crew_->Size();
    }
    for (int m = 0; m <= threads; ++m)
        firstBlock_.push_back(static_cast<int>(static_cast<long long>(blocks_) * m / threads));
    memberOk_.assign(static_cast<std::size_t>(threads), 1);
}

EpochTrainer::~EpochTrainer() {
    std::lock_guard<std::mutex> lock(trainersMutex);
    std::erase_if(trainers, [this](const auto& entry) { return entry.second == this; });
}

int EpochTrainer::Threads() const {
    return crew_ ? crew_->Size() : 1;
}

void EpochTrainer::ChooseOrder() {
    if (!permuted_)
        return;
    EpochOrderInto(state_.Order.Seed, state_.EpochCount, CheckedCount(state_.NumPatterns), order_);
    orderIndex_.resize(order_.size());
    for (std::size_t k = 0; k < order_.size(); ++k)
        orderIndex_[k] = order_[k] - 1;
}

int EpochTrainer::PatternAt(int position) const {
    return permuted_ ? order_[static_cast<std::size_t>(position - 1)] : position;
}

void EpochTrainer::RunEpoch() {
    ChooseOrder();
    // The kernels never write over the weights the epoch starts from; when anything
    // overflowed, the epoch is run again pattern by pattern from that start, which stops
    // with the exact state and error of the failing step. The routines work on the state's
    // weights, so those are brought up to the epoch's start first, and the panel is loaded
    // again from whatever the routines leave.
    if (kernels_ && KernelEpoch())
        return;
    PublishWeights();
    panelLoaded_ = false;
    ReferenceEpoch();
}

void EpochTrainer::PublishWeights() {
    if (!statePending_)
        return;
    auto copyOut = [&](int member) {
        CopyOut(firstBlock_[static_cast<std::size_t>(member)],
                firstBlock_[static_cast<std::size_t>(member) + 1]);
    };
    if (crew_) {
        crew_->Run(copyOut);
    } else {
        copyOut(0);
    }
    statePending_ = false;
}

void EpochTrainer::LoadPanel() {
    if (panelLoaded_)
        return;
    auto copyIn = [&](int member) {
        CopyIn(firstBlock_[static_cast<std::size_t>(member)],
               firstBlock_[static_cast<std::size_t>(member) + 1]);
    };
    if (crew_) {
        crew_->Run(copyIn);
    } else {
        copyIn(0);
    }
    panelLoaded_ = true;
}

void EpochTrainer::ReferenceEpoch() {
    state_.TotalSSE = 0.0;
    for (int k = 1; k <= state_.NumPatterns; ++k) {
        const int p = PatternAt(k);
        if (hebb_) {
            TrainHebb(state_, p);
        } else {
            TrainDelta(state_, p);
        }
        ComputeOutputs(state_, p);
        const double total = state_.TotalSSE + PatternSSE(state_);
        if (!std::isfinite(total))
            throw RunTimeException(kOverflow);
        state_.TotalSSE = total;
    }
}

void EpochTrainer::CopyIn(int firstBlock, int endBlock) {
    const std::size_t in = static_cast<std::size_t>(numInputs_);
    if (numOutputs_ == lanes_) {  // one block, laid out exactly as the weight matrix
        std::copy(state_.Weights.Storage().begin(), state_.Weights.Storage().end(), panel_);
        return;
    }
    for (int b = firstBlock; b < endBlock; ++b) {
        const int j0 = b * lanes_;
        const int real = std::min(lanes_, numOutputs_ - j0);
        double* tile = panel_ + static_cast<std::size_t>(b) * in * lanes_;
        for (int i = 1; i <= numInputs_; ++i) {
            const double* row = state_.Weights.Row(i) + j0;
            double* lanes = tile + static_cast<std::size_t>(i - 1) * lanes_;
            for (int l = 0; l < lanes_; ++l)
                lanes[l] = l < real ? row[l] : 0.0;
        }
    }
}

void EpochTrainer::CopyOut(int firstBlock, int endBlock) {
    const std::size_t in = static_cast<std::size_t>(numInputs_);
    if (numOutputs_ == lanes_) {
        std::copy(panel_, panel_ + in * static_cast<std::size_t>(lanes_),
                  state_.Weights.Storage().begin());
        return;
    }
    for (int b = firstBlock; b < endBlock; ++b) {
        const int j0 = b * lanes_;
        const int real = std::min(lanes_, numOutputs_ - j0);
        const double* tile = panel_ + static_cast<std::size_t>(b) * in * lanes_;
        for (int i = 1; i <= numInputs_; ++i) {
            double* row = state_.Weights.Row(i) + j0;
            const double* lanes = tile + static_cast<std::size_t>(i - 1) * lanes_;
            for (int l = 0; l < real; ++l)
                row[l] = lanes[l];
        }
    }
}

bool EpochTrainer::RunJobs(bool measureOnly) {
    kernels::BlockJob job;
    job.NumInputs = numInputs_;
    job.NumOutputs = numOutputs_;
    job.NumPatterns = numPatterns_;
    job.Inputs = state_.InputPatterns.Storage().data();
    job.Desired = state_.DesiredOutputs.Storage().data();
    job.Order = permuted_ && !measureOnly ? orderIndex_.data() : nullptr;
    job.Rate = state_.LearningRate;
    job.Hebb = hebb_;
    job.MeasureOnly = measureOnly;
    job.Lanes = lanes_;
    // Measuring reads panel_ in place; training leaves the new weights in spare_.
    job.Panel = measureOnly ? panel_ : spare_;
    job.Start = panel_;
    job.ChunkPatterns = chunk_;
    job.Errors = errors_.data();
    job.LastNet = lastNet_.data();
    job.LastActivity = lastActivity_.data();
    job.Carry = carry_.data();

    LoadPanel();
    auto train = [&](int member) {
        kernels::BlockJob mine = job;
        mine.FirstBlock = firstBlock_[static_cast<std::size_t>(member)];
        mine.EndBlock = firstBlock_[static_cast<std::size_t>(member) + 1];
        memberOk_[static_cast<std::size_t>(member)] = kernels::TrainBlocks(mine, isa_);
    };
    if (crew_) {
        crew_->Run(train);
    } else {
        train(0);
    }
    return std::find(memberOk_.begin(), memberOk_.end(), 0) == memberOk_.end();
}

bool EpochTrainer::SumErrors(double& total) const {
    // Pattern SSE over the output units in order, the total over the patterns in order.
    total = 0.0;
    const std::size_t out = static_cast<std::size_t>(numOutputs_);
    for (std::size_t p = 0; p < static_cast<std::size_t>(numPatterns_); ++p) {
        const double* e = errors_.data() + p * out;
        double sse = 0.0;
        for (std::size_t j = 0; j < out; ++j)
            sse = sse + e[j] * e[j];
        total = total + sse;
        if (!std::isfinite(total))
            return false;
    }
    return true;
}

bool EpochTrainer::KernelEpoch() {
    double total = 0.0;
    if (!RunJobs(false) || !SumErrors(total))
        return false;
    std::swap(panel_, spare_);
    statePending_ = true;
    state_.TotalSSE = total;
    if (numPatterns_ > 0) {
        const int last = PatternAt(numPatterns_);
        PublishUnits(last);
        state_.Weights.RecordStep(state_.LearningRate, state_.InputPatterns.Pattern(last),
                                  lastActivity_.data());
    }
    return true;
}

double EpochTrainer::MeasureTotalSSE() {
    double total = 0.0;
    if (kernels_ && RunJobs(true) && SumErrors(total)) {
        PublishUnits(numPatterns_);
        return total;
    }
    total = 0.0;
    for (int p = 1; p <= state_.NumPatterns; ++p) {
        ComputeOutputs(state_, p);
        total = total + PatternSSE(state_);
        if (!std::isfinite(total))
            throw RunTimeException(kOverflow);
    }
    return total;
}

void EpochTrainer::PublishUnits(int lastPattern) {
    if (numPatterns_ == 0)
        return;
    // What ComputeOutputs for the last pattern presented leaves behind; the kernels keep
    // errors by presentation position.
    const double* x = state_.InputPatterns.Pattern(lastPattern);
    for (int i = 1; i <= numInputs_; ++i)
        state_.InputUnits(i).Activity = x[i - 1];
    const double* lastErrors = errors_.data() + static_cast<std::size_t>(numPatterns_ - 1) *
                                                    static_cast<std::size_t>(numOutputs_);
    for (int j = 1; j <= numOutputs_; ++j) {
        UnitRecord& unit = state_.OutputUnits(j);
        unit.NetInput = lastNet_[static_cast<std::size_t>(j - 1)];
        unit.Activity = unit.NetInput;
        unit.Error = lastErrors[j - 1];
    }
}

}  // namespace mnemex
