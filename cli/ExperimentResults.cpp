#include "cli/ExperimentResults.h"

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "cli/JsonResult.h"
#include "core/NumberForms.h"
#include "core/WeightExport.h"

namespace mnemex::batch {

namespace {

std::string Number(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void AppendLeastSquares(std::string& out, const ExperimentFigures& figures) {
    const LeastSquaresResult& ls = *figures.LeastSquares;
    out += ",\n  \"least_squares\": {\n    ";
    if (ls.Solved) {
        out += "\"total_sse\": " + Number(ls.TotalSSE) + ",\n    \"weights\": ";
        AppendWeightRows(out, ls.Weights, "    ");
    } else {
        out += "\"skipped\": ";
        AppendString(out, ls.Note);
    }
    out += "\n  },\n  \"fixed_weight_sse\": " + Number(figures.FixedWeightSSE);
}

void AppendTestAll(std::string& out, const std::vector<PatternMeasures>& rows) {
    // A row: its pattern number, four numbers and about 60 characters of names around them.
    ReserveText(out, rows.size() * (4 * kLongestRoundTripText + 80) + 32);
    out += ",\n  \"test_all\": [";
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const PatternMeasures& m = rows[k];
        out += k == 0 ? "\n    " : ",\n    ";
        out += "{\"pattern\": ";
        out += std::to_string(m.Pattern);
        out += ", \"sse\": ";
        AppendNumber(out, m.SSE);
        out += ", \"ndp\": ";
        AppendNumber(out, m.Ndp);
        out += ", \"nvl\": ";
        AppendNumber(out, m.Nvl);
        out += ", \"vcor\": ";
        AppendNumber(out, m.Vcor);
        out += '}';
    }
    out += rows.empty() ? "]" : "\n  ]";
}

bool WriteExport(const std::string& path, const std::string& bytes,
                 const output::WriteOptions& writeOptions, const char* what, std::ostream& err) {
    if (const auto failed = output::WriteWhole(path, bytes, writeOptions)) {
        err << "mnemex-batch: the " << what << " could not be written to " << Quoted(path) << ": "
            << failed->Reason() << '\n';
        return false;
    }
    return true;
}

}  // namespace

RunTimeError ComputeExperiments(const ExperimentOptions& options, const PublicStuff& state,
                                ExperimentFigures& figures) {
    return TrapErrors([&] {
        if (options.LeastSquares) {
            figures.LeastSquares = SolveLeastSquares(state);
            figures.FixedWeightSSE = FixedWeightSSE(state, state.Weights);
        }
        if (options.TestAll)
            figures.TestAll = MeasureAllPatterns(state);
    });
}

std::string ExperimentJsonMembers(const ExperimentOptions& options,
                                  const ExperimentFigures& figures) {
    std::string out;
    // Only a permuted order is reported: a run in file order writes the same JSON whether
    // --order file was given, left out or resumed from a state.
    if (options.Permuted()) {
        out += ",\n  \"order\": ";
        AppendString(out, *options.Order);
        out += ",\n  \"seed\": " + std::to_string(options.Seed);
    }
    if (figures.LeastSquares)
        AppendLeastSquares(out, figures);
    if (options.TestAll)
        AppendTestAll(out, figures.TestAll);
    return out;
}

void PrintExperiments(const ExperimentOptions& options, const ExperimentFigures& figures,
                      std::ostream& out) {
    if (figures.LeastSquares) {
        if (figures.LeastSquares->Solved)
            out << "Least-squares SSE: " << Number(figures.LeastSquares->TotalSSE) << '\n';
        else
            out << figures.LeastSquares->Note << '\n';
        out << "Fixed-weight SSE: " << Number(figures.FixedWeightSSE) << '\n';
    }
    if (options.TestAll) {
        out << "pattern\tsse\tndp\tnvl\tvcor\n";
        for (const PatternMeasures& m : figures.TestAll)
            out << m.Pattern << '\t' << Number(m.SSE) << '\t' << Number(m.Ndp) << '\t'
                << Number(m.Nvl) << '\t' << Number(m.Vcor) << '\n';
    }
}

bool WriteWeightExports(const ExperimentOptions& options, const PublicStuff& state,
                        const output::WriteOptions& writeOptions, std::ostream& err) {
    if (options.WeightsCsv && !WriteExport(*options.WeightsCsv, WeightsCsv(state.Weights),
                                           writeOptions, "weights CSV file", err))
        return false;
    if (options.WeightsNpy && !WriteExport(*options.WeightsNpy, WeightsNpy(state.Weights),
                                           writeOptions, "weights .npy file", err))
        return false;
    return true;
}

}  // namespace mnemex::batch
