#pragma once
// What the experiment options compute after training, and how the batch command shows,
// stores and exports it.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/ExperimentOptions.h"
#include "core/LeastSquares.h"
#include "core/PublicStuff.h"
#include "core/RunTimeError.h"
#include "core/TestAllMeasures.h"
#include "core/output/ResultFile.h"

namespace mnemex::batch {

struct ExperimentFigures {
    std::optional<LeastSquaresResult> LeastSquares;  // with --least-squares
    double FixedWeightSSE = 0.0;                     // with --least-squares
    std::vector<PatternMeasures> TestAll;            // with --test-all
};

// The figures the options ask for, from the trained state. Returns the run-time error
// (number 0 when none) when a figure is not finite.
RunTimeError ComputeExperiments(const ExperimentOptions& options, const PublicStuff& state,
                                ExperimentFigures& figures);

// The JSON members that follow "history": "order" and "seed" (only for a permuted order),
// "least_squares" and "fixed_weight_sse", "test_all", each only when its option was given.
std::string ExperimentJsonMembers(const ExperimentOptions& options,
                                  const ExperimentFigures& figures);

// Without --json: the least-squares lines and the test-all table, tab-separated.
void PrintExperiments(const ExperimentOptions& options, const ExperimentFigures& figures,
                      std::ostream& out);

// Writes the weight exports asked for. Prints why not to `err` and returns false on a
// file that could not be written.
bool WriteWeightExports(const ExperimentOptions& options, const PublicStuff& state,
                        const output::WriteOptions& writeOptions, std::ostream& err);

}  // namespace mnemex::batch
