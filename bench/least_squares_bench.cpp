// Time of the least-squares weights (decomposition, W* and its total SSE) for the sizes
// students train, and around the size limit above which the solve is skipped.
//
// Usage: least_squares_bench [--all]   (--all adds the cases around and beyond the limit)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <random>
#include <vector>

#include "core/LeastSquares.h"
#include "core/PublicStuff.h"

namespace {

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Shape {
    const char* name;
    int inputs, outputs, patterns;
};

mnemex::PublicStuff RandomNetwork(const Shape& shape) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    mnemex::PublicStuff s;
    s.NumInputs = shape.inputs;
    s.NumOutputs = shape.outputs;
    s.NumPatterns = shape.patterns;
    s.InputPatterns.Reallocate(shape.inputs, shape.patterns);
    s.DesiredOutputs.Reallocate(shape.outputs, shape.patterns);
    for (double& v : s.InputPatterns.Storage())
        v = value(rng);
    for (double& v : s.DesiredOutputs.Storage())
        v = value(rng);
    s.ReallocateNetwork();
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    const bool all = argc > 1 && std::strcmp(argv[1], "--all") == 0;
    std::vector<Shape> shapes = {
        {"classroom 8 x 8 x 4", 8, 8, 4},
        {"images 784 x 784 x 100", 784, 784, 100},
        {"many patterns 1000 x 50 x 2000", 1000, 50, 2000},
    };
    if (all) {
        shapes.push_back({"square 1500 x 50 x 1500", 1500, 50, 1500});
        shapes.push_back({"square 1587 x 50 x 1587 (at the limit)", 1587, 50, 1587});
        shapes.push_back({"square 2000 x 50 x 2000", 2000, 50, 2000});
    }
    std::printf("Least-squares weights: best of 3, wall-clock and processor seconds (limit %.1e)\n",
                mnemex::kLeastSquaresWorkLimit);
    std::printf("%-42s %12s %8s %9s %6s %6s\n", "case", "work I*P*min", "wall s", "process s",
                "rank", "solved");
    for (const Shape& shape : shapes) {
        const mnemex::PublicStuff s = RandomNetwork(shape);
        double best = 1e30, bestCpu = 1e30;
        mnemex::LeastSquaresResult result;
        for (int r = 0; r < 3; ++r) {
            const auto start = std::chrono::steady_clock::now();
            const double cpu = ProcessCpuSeconds();
            // The limit is what is being measured here, so solve whatever the size.
            result = mnemex::SolveLeastSquares(s, 1e300);
            best = std::min(
                best,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            bestCpu = std::min(bestCpu, ProcessCpuSeconds() - cpu);
        }
        const double work = static_cast<double>(shape.inputs) * shape.patterns *
                            std::min(shape.inputs, shape.patterns);
        std::printf("%-42s %12.3g %8.3f %9.3f %6d %6s\n", shape.name, work, best, bestCpu,
                    result.Rank,
                    mnemex::LeastSquaresFits(shape.inputs, shape.patterns) ? "yes" : "no");
    }
    return 0;
}
