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

const char* NameOf(InstructionSet isa) {
    switch (isa) {
        case InstructionSet::kAvx2:
            return "avx2";
        case InstructionSet::kAvx512:
            return "avx512";
        default:
            return "baseline";
    }
}

bool TrainBlocks(const BlockJob&, InstructionSet) {
    return false;
}

}  // namespace mnemex::kernels
