#pragma once
// The arithmetic of one training epoch on a block-of-columns weight layout, for the
// instruction sets the processor offers.
//
// Layout ("panel"): the output units are taken L at a time (L = 8, 16 or 32 lanes); block b
// holds the weights of output units L*b .. L*b + L-1 for every input unit, input unit by
// input unit, so that one block is one contiguous tile. Lanes past the last output unit
// are padding and stay 0.
//
// Every value is computed exactly as the plain loops compute it: each net input summed
// over the input units in increasing order starting from 0.0 (net = w*x + net), each
// weight changed by (rate x input) x activity and then added. Only the work is
// rearranged: the output units' columns are independent within an epoch, so one tile is
// carried through many patterns while it sits in cache, and the passes one pattern needs
// (learning step, response for its error, the next pattern's response under the Delta
// rule) are done together in one sweep over the tile.

#include <cstddef>

namespace mnemex::kernels {

// Output units per panel block: the widths the kernels are compiled for.
inline constexpr int kNarrowLanes = 8;
inline constexpr int kWideLanes = 16;
inline constexpr int kWidestLanes = 32;  // AVX-512 only

enum class InstructionSet {
    kBaseline,  // SSE2, every x86-64 processor
    kAvx2,      // 256-bit vectors; multiply and add stay separate instructions
    kAvx512,    // 512-bit vectors (AVX-512F); multiply and add stay separate instructions
};

// True when this processor can run kernels of the given instruction set (never in a build
// without the vector kernels).
bool Supports(InstructionSet isa);

// The fastest instruction set this processor supports.
InstructionSet BestInstructionSet();

// The name shown in benchmark output: "baseline", "avx2" or "avx512".
inline const char* NameOf(InstructionSet isa) {
    switch (isa) {
        case InstructionSet::kAvx2:
            return "avx2";
        case InstructionSet::kAvx512:
            return "avx512";
        default:
            return "baseline";
    }
}

// Number of panel blocks of `lanes` output units for the given number of output units.
inline int BlockCount(int numOutputs, int lanes) {
    return (numOutputs + lanes - 1) / lanes;
}

// One epoch's work on a range of blocks. Patterns are numbered from 0 here.
struct BlockJob {
    int NumInputs = 0;
    int NumOutputs = 0;
    int NumPatterns = 0;
    const double* Inputs = nullptr;   // pattern-major: NumInputs values per pattern
    const double* Desired = nullptr;  // pattern-major: NumOutputs values per pattern
    // Presentation order: position k presents pattern Order[k] (from 0); nullptr for
    // file order. Errors and the "last" values follow the positions.
    const int* Order = nullptr;
    double Rate = 0.0;
    bool Hebb = false;
    bool MeasureOnly = false;  // no learning: only each pattern's response and errors
    int Lanes = kNarrowLanes;  // output units per block: kNarrowLanes, kWideLanes or
                               // (AVX-512 only) kWidestLanes
    double* Panel = nullptr;   // BlockCount(NumOutputs, Lanes) tiles of NumInputs x Lanes
    // The weights the epoch starts from, laid out as Panel and only read; nullptr: Panel's
    // own. The first step writes its new weights to Panel, so Start still holds the epoch's
    // starting point when the epoch has to be run again.
    const double* Start = nullptr;
    int FirstBlock = 0;  // blocks FirstBlock .. EndBlock-1 are this job's
    int EndBlock = 0;
    int ChunkPatterns = 1;  // patterns a tile is carried through before the next tile
    // Outputs, for this job's output units only:
    double* Errors = nullptr;        // NumPatterns x NumOutputs: error after each step
    double* LastNet = nullptr;       // NumOutputs: net input after the last step
    double* LastActivity = nullptr;  // NumOutputs: output activity the last step used
    double* Carry = nullptr;         // BlockCount x Lanes scratch (Delta: next activity)
};

// Trains the job's blocks through every pattern in presentation order, with kernels of `isa`, which
// the processor must support. Returns false when any error or net input computed was
// infinite or not a number (the results are then unusable).
bool TrainBlocks(const BlockJob& job, InstructionSet isa);

}  // namespace mnemex::kernels
