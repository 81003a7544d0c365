#include "cli/ExperimentOptions.h"

#include "core/PatternOrder.h"

namespace mnemex::batch {

namespace {

// The value as shown in a message: control characters become '?', so the message stays
// on one line.
std::string Quoted(const std::string& value) {
    std::string text = "\"";
    for (const char c : value)
        text += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    return text + "\"";
}

}  // namespace

std::string ExperimentUsage() {
    return R"(Experiments (results follow "history" in the JSON; without --json the tables
and figures are printed after the final display lines):
  --order file|permuted    present the patterns in file order (default) or in a new
                           random order every epoch; a permuted order adds "order":
                           "permuted" and "seed" to the JSON (file order adds nothing)
  --seed N                 seed of the permuted order, a whole number from 0 to
                           9223372036854775807 (default 1); epoch e is shuffled by
                           std::mt19937_64 seeded with N + e, the same on every machine
  --least-squares          the best fixed weights, W = D X+ (X+ the pseudoinverse of the
                           inputs), and the SSE of the final weights held fixed:
                           "least_squares": {"total_sse", "weights"}, "fixed_weight_sse"
  --test-all               recall every pattern with the final weights: "test_all":
                           [{"pattern", "sse", "ndp", "nvl", "vcor"}, ...]
  --weights-csv PATH       write the final weights as CSV, one line per output unit
  --weights-npy PATH       write the final weights as a NumPy .npy file, shape
                           (outputs, inputs); both only after training without an error
)";
}

std::optional<std::string> TakeExperimentOption(const std::vector<std::string>& args,
                                                std::size_t& k, ExperimentOptions& options) {
    const std::string& a = args[k];
    if (a == "--least-squares") {
        options.LeastSquares = true;
        return "";
    }
    if (a == "--test-all") {
        options.TestAll = true;
        return "";
    }
    if (a != "--order" && a != "--seed" && a != "--weights-csv" && a != "--weights-npy")
        return std::nullopt;
    if (k + 1 >= args.size())
        return "option " + a + " needs a value";
    const std::string& v = args[++k];
    if (a == "--order") {
        if (v != "file" && v != "permuted")
            return "--order must be file or permuted, not " + Quoted(v);
        options.Order = v;
    } else if (a == "--seed") {
        const auto seed = ParseSeed(v);
        if (!seed)
            return "--seed must be a whole number from 0 to 9223372036854775807, not " + Quoted(v);
        options.Seed = *seed;
    } else {
        if (v.empty())
            return "option " + a + " needs a file name";
        (a == "--weights-csv" ? options.WeightsCsv : options.WeightsNpy) = v;
    }
    return "";
}

}  // namespace mnemex::batch
