#include "cli/BatchOptions.h"

namespace mnemex::batch {

std::string BatchUsage() {
    return R"(Usage: mnemex-batch FILE.net [options]

Trains a distributed associative memory on the training file FILE.net exactly as the
setup page of Mnemex does, without a display, and prints the final display lines.

Options (defaults are the setup page's initial settings):
  --rule hebb|delta        learning rule (default hebb)
  --rate R                 learning rate, 0 or more (default 0.10)
  --epochs N               epochs to train, greater than 0 (default 100); checked
                           under --stop error too, where it has no effect
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
                           Every number reads back as the same double; the file
                           name is UTF-8, any other byte written as U+FFFD.
  --report PATH            write the text report of the report page to PATH (replacing
                           any file there), dated in the user's date and time forms
  --sections LIST          the report's sections, comma-separated: general, responses,
                           errors, weights, inputs, outputs, sse or all (default
                           general,responses,errors,weights)
  --xlsx PATH              write the spreadsheet summary workbook of the trained
                           network to PATH (.xlsx), as the testing hub builds it
  --progress               print the display lines of every printout while training
  --save-state PATH        save the whole training state after the last run (also after
                           Ctrl-C, not after a training error) as JSON (docs/state.md)
  --load-state PATH        resume a saved training state instead of a new run; FILE.net
                           must be the file it was trained on (same SHA-256). The saved
                           settings apply unless their option is given; --epochs N
                           (default: the saved epochs per run) trains N more epochs as
                           Continue Training does, then any --continue as usual
  --help                   show this text

)" + ExperimentUsage() +
           R"(
Numbers are written with a point as decimal separator. Every option value is checked
before training starts; an option that has no effect with the others given gets a
warning line. No result may name the training file, the saved state being resumed
(--save-state may) or another result. Every result asked for is written even when
another fails; each failure is one line on standard error.
Ctrl-C ends a run after the current epoch and still writes the results so far; a
second Ctrl-C, or SIGTERM, ends the program at once and leaves no temporary file.

Exit status: 0 success (also after Ctrl-C), 1 training stopped with an error or a result
file could not be written (message on standard error), 2 bad usage, settings refused or
an unreadable training file.
)";
}

std::string Printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c == '\\') {
            shown += "\\\\";
        } else if (c < 0x20 || c == 0x7f) {
            static const char kHex[] = "0123456789abcdef";
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 15];
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

std::string Quoted(const std::string& text) {
    return "\"" + Printable(text) + "\"";
}

std::string OneLine(const std::string& pageText) {
    std::string joined;
    bool lineBreak = false;
    for (const char c : pageText) {
        if (c == '\r') {
            lineBreak = true;
            continue;
        }
        if (lineBreak && !joined.empty() && joined.back() != ' ')
            joined += ' ';
        lineBreak = false;
        joined += c;
    }
    while (!joined.empty() && joined.back() == ' ')
        joined.pop_back();
    return Printable(joined);
}

namespace {

// Stores an option's value in the options; returns the message for a value it refuses.
using Store = std::optional<std::string> (*)(BatchOptions&, const std::string& value);

struct OptionSpec {
    const char* Name;
    bool TakesValue;
    Store Apply;  // given an empty value for a switch
};

// Keeps a value as typed.
std::optional<std::string> Keep(std::string& field, const std::string& value) {
    field = value;
    return std::nullopt;
}
template <typename T>
std::optional<std::string> Keep(std::optional<T>& field, const std::string& value) {
    field = value;
    return std::nullopt;
}

std::optional<std::string> StoreRule(BatchOptions& o, const std::string& v) {
    if (v == "hebb" || v == "Hebb")
        o.Rule = "Hebb";
    else if (v == "delta" || v == "Delta")
        o.Rule = "Delta";
    else
        return "--rule must be hebb or delta, not " + Quoted(v);
    return std::nullopt;
}

std::optional<std::string> StoreStop(BatchOptions& o, const std::string& v) {
    if (v == "epochs")
        o.Entries.EpochTest = true, o.Entries.ErrorTest = false;
    else if (v == "error")
        o.Entries.EpochTest = false, o.Entries.ErrorTest = true;
    else if (v == "both")
        o.Entries.EpochTest = true, o.Entries.ErrorTest = true;
    else
        return "--stop must be epochs, error or both, not " + Quoted(v);
    return std::nullopt;
}

std::optional<std::string> StoreSections(BatchOptions& o, const std::string& v) {
    const auto sections = report::ParseSectionList(v);
    if (!sections)
        return "--sections takes general, responses, errors, weights, inputs, outputs, sse or "
               "all, separated by commas, not " +
               Quoted(v);
    o.ReportSections = *sections;
    o.SectionsGiven = true;
    return std::nullopt;
}

// Every option, in the order of --help. The setup page's boxes are kept as typed: they
// are read as numbers only where the page reads them, when the settings are checked.
const OptionSpec kOptions[] = {
    {"--rule", true, StoreRule},
    {"--rate", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.Entries.LearningRate, v); }},
    {"--epochs", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.Entries.Epochs, v); }},
    {"--min-error", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.Entries.MinError, v); }},
    {"--stop", true, StoreStop},
    {"--print-interval", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.Entries.PrintEpochs, v); }},
    {"--continue", true,
     [](BatchOptions& o, const std::string& v) -> std::optional<std::string> {
         o.Continues.push_back(v);
         return std::nullopt;
     }},
    {"--json", true, [](BatchOptions& o, const std::string& v) { return Keep(o.JsonPath, v); }},
    {"--report", true, [](BatchOptions& o, const std::string& v) { return Keep(o.ReportPath, v); }},
    {"--sections", true, StoreSections},
    {"--xlsx", true, [](BatchOptions& o, const std::string& v) { return Keep(o.XlsxPath, v); }},
    {"--save-state", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.SaveStatePath, v); }},
    {"--load-state", true,
     [](BatchOptions& o, const std::string& v) { return Keep(o.LoadStatePath, v); }},
    {"--progress", false,
     [](BatchOptions& o, const std::string&) -> std::optional<std::string> {
         o.Progress = true;
         return std::nullopt;
     }},
};

const OptionSpec* FindOption(const std::string& name) {
    for (const OptionSpec& spec : kOptions)
        if (name == spec.Name)
            return &spec;
    return nullptr;
}

// What is wrong with the options as a whole, once every one is read.
std::optional<std::string> Inconsistency(const BatchOptions& o) {
    if (o.TrainingFile.empty())
        return "no training file given";
    if (o.SectionsGiven && !o.ReportPath)
        return "--sections needs --report";
    return std::nullopt;
}

}  // namespace

ParseOutcome ParseBatchOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    ParseOutcome out;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--help" || a == "-h") {
            o.Help = true;
            out.Options = o;
            return out;
        }
        if (const auto taken = TakeExperimentOption(args, k, o.Experiments)) {
            if (!taken->empty()) {
                out.Error = *taken;
                return out;
            }
            o.Given.insert(a);
            continue;
        }
        if (a.rfind("--", 0) != 0) {
            if (!o.TrainingFile.empty()) {
                out.Error = "only one training file may be given";
                return out;
            }
            o.TrainingFile = a;
            continue;
        }
        const OptionSpec* spec = FindOption(a);
        if (spec == nullptr) {
            out.Error = "unknown option " + Printable(a);
            return out;
        }
        if (spec->TakesValue && k + 1 >= args.size()) {
            out.Error = "option " + Printable(a) + " needs a value";
            return out;
        }
        if (auto refused = spec->Apply(o, spec->TakesValue ? args[++k] : std::string())) {
            out.Error = *refused;
            return out;
        }
        o.Given.insert(a);
    }
    if (auto wrong = Inconsistency(o)) {
        out.Error = *wrong;
        return out;
    }
    out.Options = o;
    return out;
}

}  // namespace mnemex::batch
