#pragma once
// The batch command's command line.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/ExperimentOptions.h"
#include "core/ParameterCheck.h"
#include "reports/text/ReportSections.h"

namespace mnemex::batch {

struct BatchOptions {
    std::string TrainingFile;
    std::string Rule = "Hebb";              // "Hebb" or "Delta"
    ParameterEntries Entries;               // the setup page's boxes and check boxes
    std::vector<std::string> Continues;     // epochs for each Continue Training, in order
    std::optional<std::string> JsonPath;    // "-" for standard output
    std::optional<std::string> XlsxPath;    // the spreadsheet summary workbook
    bool Progress = false;                  // print every printout of the run
    std::optional<std::string> ReportPath;  // the text report to write after training
    report::SectionSet ReportSections = report::DefaultSections();
    bool SectionsGiven = false;                // --sections was given
    ExperimentOptions Experiments;             // order, least squares, measures, exports
    std::optional<std::string> SaveStatePath;  // the training state after the last run
    std::optional<std::string> LoadStatePath;  // resume from a saved training state
    std::set<std::string> Given;               // the options given, by name
    bool Help = false;
};

// Parses argv (without the program name). Returns the options or, for bad usage, the
// message to show.
struct ParseOutcome {
    std::optional<BatchOptions> Options;
    std::string Error;
};
ParseOutcome ParseBatchOptions(const std::vector<std::string>& args);

// `text` as it may be shown in a one-line message: control characters (a line break in a
// typed value, say) and backslashes are written as escapes.
std::string Printable(const std::string& text);
// The same between double quotes.
std::string Quoted(const std::string& text);
// A message the pages show in several lines (joined by CR) as one console line: its lines
// joined by blanks, anything else that would break the line escaped as Printable does.
std::string OneLine(const std::string& pageText);

// The text of --help.
std::string BatchUsage();

}  // namespace mnemex::batch
