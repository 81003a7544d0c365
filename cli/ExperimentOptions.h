#pragma once
// The batch command's experiment options: pattern order, least squares, test-all
// measures and weight exports. Kept apart from the setup-page options they sit beside.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mnemex::batch {

struct ExperimentOptions {
    std::optional<std::string> Order;  // "file" or "permuted", when --order was given
    std::uint64_t Seed = 1;            // 0 to 2^63-1; used with permuted order only
    bool LeastSquares = false;
    bool TestAll = false;
    std::optional<std::string> WeightsCsv;
    std::optional<std::string> WeightsNpy;

    bool Permuted() const { return Order && *Order == "permuted"; }
};

// If args[k] is an experiment option, takes it (and its value, moving k onto the value)
// into `options` and returns "" or, for a bad value, the one-line message to show.
// Returns nothing when args[k] is not an experiment option.
std::optional<std::string> TakeExperimentOption(const std::vector<std::string>& args,
                                                std::size_t& k, ExperimentOptions& options);

// The --help lines of the experiment options.
std::string ExperimentUsage();

}  // namespace mnemex::batch
