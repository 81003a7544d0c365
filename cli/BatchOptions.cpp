#include "cli/BatchOptions.h"

namespace mnemex::batch {

std::string BatchUsage() {
    return R"(Usage: mnemex-batch FILE.net [options]

Trains a distributed associative memory on the training file FILE.net exactly as the
setup page of Mnemex does, without a display, and prints the final display lines.

Options (defaults are the setup page's initial settings):
  --rule hebb|delta        learning rule (default hebb)
  --rate R                 learning rate, 0 or more (default 0.10)
  --epochs N               epochs to train; must be greater than 0 when the epoch
                           test is on (default 100)
  --min-error E            total SSE below which training ends (default 0.05)
  --stop epochs|error|both which tests end training (default epochs)
  --print-interval K       epochs between printouts and SSE history rows (default 10;
                           0 records no history rows after the first)
  --continue N             then continue training for N more epochs, as Continue
                           Training does; may be given several times
  --json PATH|-            write the results as JSON to PATH (- for standard output):
                           {"file", "rule", "rate", "epochs", "total_sse",
                            "weights": [per output unit: [per input unit]],
                            "history": [[epoch, total SSE], ...]}
                           Every number reads back as the same double.
  --report PATH            write the text report of the report page to PATH (replacing
                           any file there), dated in the user's date and time forms
  --sections LIST          the report's sections, comma-separated: general, responses,
                           errors, weights, inputs, outputs, sse or all (default
                           general,responses,errors,weights)
  --xlsx PATH              write the spreadsheet summary workbook of the trained
                           network to PATH (.xlsx), as the testing hub builds it
  --progress               print the display lines of every printout while training
  --help                   show this text

Numbers are written with a point as decimal separator.
Ctrl-C ends a run after the current epoch and still writes the results so far.

Exit status: 0 success (also after Ctrl-C), 1 training stopped with an error or a result
file could not be written (message on standard error), 2 bad usage, settings refused or
an unreadable training file.
)";
}

ParseOutcome ParseBatchOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    ParseOutcome out;
    bool sectionsGiven = false;
    auto fail = [&](const std::string& message) {
        out.Error = message;
        return out;
    };
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        auto value = [&]() -> std::optional<std::string> {
            if (k + 1 >= args.size())
                return std::nullopt;
            return args[++k];
        };
        if (a == "--help" || a == "-h") {
            o.Help = true;
            out.Options = o;
            return out;
        }
        if (a == "--progress") {
            o.Progress = true;
            continue;
        }
        if (a.rfind("--", 0) == 0) {
            auto v = value();
            if (!v)
                return fail("option " + a + " needs a value");
            if (a == "--rule") {
                if (*v == "hebb" || *v == "Hebb")
                    o.Rule = "Hebb";
                else if (*v == "delta" || *v == "Delta")
                    o.Rule = "Delta";
                else
                    return fail("--rule must be hebb or delta, not \"" + *v + "\"");
            } else if (a == "--rate") {
                o.Entries.LearningRate = *v;
            } else if (a == "--epochs") {
                o.Entries.Epochs = *v;
            } else if (a == "--min-error") {
                o.Entries.MinError = *v;
            } else if (a == "--print-interval") {
                o.Entries.PrintEpochs = *v;
            } else if (a == "--stop") {
                if (*v == "epochs")
                    o.Entries.EpochTest = true, o.Entries.ErrorTest = false;
                else if (*v == "error")
                    o.Entries.EpochTest = false, o.Entries.ErrorTest = true;
                else if (*v == "both")
                    o.Entries.EpochTest = true, o.Entries.ErrorTest = true;
                else
                    return fail("--stop must be epochs, error or both, not \"" + *v + "\"");
            } else if (a == "--continue") {
                o.Continues.push_back(*v);
            } else if (a == "--report") {
                o.ReportPath = *v;
            } else if (a == "--sections") {
                const auto sections = report::ParseSectionList(*v);
                if (!sections)
                    return fail(
                        "--sections takes general, responses, errors, weights, inputs, "
                        "outputs, sse or all, separated by commas, not \"" +
                        *v + "\"");
                o.ReportSections = *sections;
                sectionsGiven = true;
            } else if (a == "--json") {
                o.JsonPath = *v;
            } else if (a == "--xlsx") {
                o.XlsxPath = *v;
            } else {
                return fail("unknown option " + a);
            }
            continue;
        }
        if (!o.TrainingFile.empty())
            return fail("only one training file may be given");
        o.TrainingFile = a;
    }
    if (o.TrainingFile.empty())
        return fail("no training file given");
    if (sectionsGiven && !o.ReportPath)
        return fail("--sections needs --report");
    out.Options = o;
    return out;
}

}  // namespace mnemex::batch
