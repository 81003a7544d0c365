// The yardstick for whole runs of mnemex-batch: a program written the plain way, reading the
// training file with fscanf and training with the literal loops, one statement per step.
//
// Usage: literal_batch FILE.net EPOCHS [hebb|delta [RATE]]   (default delta 0.001)
// Prints the final total SSE with all its digits.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "tests/support/LiteralTrainer.h"

namespace {

// One value: optional white space, a number, then optional white space and one comma.
bool ReadValue(std::FILE* file, double& value) {
    return std::fscanf(file, " %lf ,", &value) == 1;
}

bool ReadValues(std::FILE* file, std::size_t count, std::vector<double>& values) {
    values.resize(count);
    for (std::size_t k = 0; k < count; ++k)
        if (!ReadValue(file, values[k]))
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: literal_batch FILE.net EPOCHS [hebb|delta [RATE]]\n");
        return 2;
    }
    const long epochs = std::atol(argv[2]);
    const bool hebb = argc > 3 && std::strcmp(argv[3], "hebb") == 0;
    const double rate = argc > 4 ? std::atof(argv[4]) : 0.001;

    std::FILE* file = std::fopen(argv[1], "r");
    if (!file) {
        std::perror(argv[1]);
        return 2;
    }
    double counts[4];
    for (double& count : counts)
        if (!ReadValue(file, count)) {
            std::fprintf(stderr, "%s: cannot read the counts\n", argv[1]);
            return 2;
        }
    const int outputs = static_cast<int>(counts[0]);
    const int inputs = static_cast<int>(counts[2]);
    const int patterns = static_cast<int>(counts[3]);
    std::vector<double> inputValues, desiredValues;
    if (!ReadValues(file, static_cast<std::size_t>(inputs) * patterns, inputValues) ||
        !ReadValues(file, static_cast<std::size_t>(outputs) * patterns, desiredValues)) {
        std::fprintf(stderr, "%s: too few values\n", argv[1]);
        return 2;
    }
    std::fclose(file);

    mnemex::testsupport::LiteralNet net(inputs, outputs, patterns, inputValues, desiredValues, hebb,
                                        rate);
    try {
        net.NewRun();
        for (long e = 0; e < epochs; ++e)
            net.Epoch();
    } catch (const std::overflow_error&) {
        std::fprintf(stderr, "Overflow\n");
        return 1;
    }
    std::printf("Total SSE: %.17g\n", net.TotalSSE());
    return 0;
}
