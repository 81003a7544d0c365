#include "core/kernels/EpochKernels.h"

// Processors other than x86-64 (or a build with MNEMEX_VECTOR_KERNELS off): no kernel runs,
// so every epoch goes through the pattern-by-pattern routines, which give the same numbers.

namespace mnemex::kernels {

bool Supports(InstructionSet) {
    return false;
}

InstructionSet BestInstructionSet() {
    return InstructionSet::kBaseline;
}

bool TrainBlocks(const BlockJob&, InstructionSet) {
    return false;
}

}  // namespace mnemex::kernels
