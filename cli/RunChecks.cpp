#include "cli/RunChecks.h"

#include <cmath>

#include "core/ParameterCheck.h"
#include "core/output/SameFile.h"

namespace mnemex::batch {

namespace {

constexpr std::int32_t kLastEpoch = INT32_MAX;

// A value of --epochs or --continue that no run reads: still a number of epochs.
bool IsEpochCount(const std::string& text) {
    try {
        // As the epochs box is read: above 0 and, rounded, a 32-bit whole number.
        const double value = ReadPlainNumber(text);
        return value > 0 && (RoundToLong(value), true);
    } catch (const RunTimeException&) {
        return false;
    }
}

// The check of one run's settings as the run itself would make it, but with a clearer
// message for epochs that fit on their own and would go past the last epoch counted.
std::optional<std::string> Refusal(PublicStuff& scratch, const ParameterEntries& entries,
                                   const std::string& option) {
    const CheckResult check = CheckParameters(scratch, entries, ReadPlainNumber);
    if (check.Verdict == CheckVerdict::kAccepted)
        return std::nullopt;
    if (check.Verdict == CheckVerdict::kError && check.FaultyBox == EntryBox::kEpochs &&
        scratch.NewRun == 0 && IsEpochCount(entries.Epochs))
        return option + ": " + Printable(entries.Epochs) + " more epochs would go past epoch " +
               std::to_string(kLastEpoch) + " (" + std::to_string(scratch.EpochCount) +
               " trained before)";
    return RefusalText(check);
}

}  // namespace

std::vector<NamedResult> RequestedResults(const BatchOptions& options) {
    const std::pair<const char*, const std::optional<std::string>*> all[] = {
        {"--json", &options.JsonPath},
        {"--report", &options.ReportPath},
        {"--xlsx", &options.XlsxPath},
        {"--weights-csv", &options.Experiments.WeightsCsv},
        {"--weights-npy", &options.Experiments.WeightsNpy},
        {"--save-state", &options.SaveStatePath}};
    std::vector<NamedResult> requested;
    for (const auto& [option, path] : all)
        if (*path)
            requested.push_back({option, &**path});
    return requested;
}

std::optional<std::string> ResultClash(const BatchOptions& options) {
    using output::OtherName;
    using output::SameFile;
    const std::vector<NamedResult> results = RequestedResults(options);
    for (std::size_t k = 0; k < results.size(); ++k) {
        const NamedResult& r = results[k];
        const std::string option = r.Option;
        if (SameFile(*r.Path, options.TrainingFile, OtherName::kInput))
            return option + " would replace the training file " + Quoted(options.TrainingFile) +
                   "; give the result another name";
        if (options.LoadStatePath && option != "--save-state" &&
            SameFile(*r.Path, *options.LoadStatePath, OtherName::kInput))
            return option + " would replace the saved state " + Quoted(*options.LoadStatePath) +
                   " being resumed; give the result another name";
        for (std::size_t j = 0; j < k; ++j)
            if (SameFile(*r.Path, *results[j].Path, OtherName::kOutput))
                return std::string(results[j].Option) + " and " + option + " name the same file " +
                       Quoted(*r.Path) + "; give each result a name of its own";
    }
    return std::nullopt;
}

ValueCheck CheckValues(const BatchOptions& options, const RunSettings& first, bool fresh,
                       std::int32_t epochsSoFar) {
    ValueCheck out;
    const ParameterEntries& entries = first.Entries;
    const auto given = [&](const char* name) { return options.Given.count(name) > 0; };
    PublicStuff scratch;
    scratch.NewRun = fresh ? 1 : 0;
    scratch.EpochCount = epochsSoFar;
    if ((out.Refusal = Refusal(scratch, entries, "--epochs")))
        return out;
    for (const std::string& epochs : options.Continues) {
        if (entries.EpochTest)
            scratch.EpochCount = scratch.MaxEpochs;
        scratch.NewRun = 0;
        ParameterEntries more = entries;
        more.Epochs = epochs;
        if ((out.Refusal = Refusal(scratch, more, "--continue")))
            return out;
    }
    if (!entries.EpochTest) {
        // Training ends at the minimum error alone: the epoch counts are never read.
        std::vector<std::pair<const char*, std::string>> unread;
        if (given("--epochs"))
            unread.emplace_back("--epochs", options.Entries.Epochs);
        for (const std::string& epochs : options.Continues)
            unread.emplace_back("--continue", epochs);
        for (const auto& [option, value] : unread)
            if (!IsEpochCount(value)) {
                out.Refusal = std::string(option) +
                              " must be a number of epochs greater than 0, not " + Quoted(value);
                return out;
            }
        if (given("--epochs"))
            out.Warnings.push_back("--epochs has no effect with --stop error");
        if (!options.Continues.empty())
            out.Warnings.push_back(
                "the epoch counts of --continue have no effect with --stop error: each one "
                "trains until the minimum error");
    }
    if (!entries.ErrorTest && given("--min-error"))
        out.Warnings.push_back("--min-error has no effect with --stop epochs");
    if (given("--seed") && !(first.Order && first.Order->Permuted))
        out.Warnings.push_back("--seed has no effect without --order permuted");
    return out;
}

}  // namespace mnemex::batch
