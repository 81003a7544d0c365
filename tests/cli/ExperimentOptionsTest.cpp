// The batch command's experiment options: what it accepts, what it refuses (with one
// line, exit 2), what it prints and writes.

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <sstream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"
#include "tests/support/TempFolder.h"

namespace mnemex::batch {
namespace {

const std::string kExamples = MNEMEX_EXAMPLES_DIR;

TEST(ExperimentOptions, AcceptedValues) {
    struct Row {
        std::vector<std::string> args;
        std::optional<std::string> order;
        std::uint64_t seed;
    };
    const Row rows[] = {
        {{}, std::nullopt, 1},
        {{"--order", "file"}, "file", 1},
        {{"--order", "permuted", "--seed", "0"}, "permuted", 0},
        {{"--seed", "9223372036854775807", "--order", "permuted"},
         "permuted",
         9223372036854775807u},
        {{"--seed", "007"}, std::nullopt, 7},  // ignored with file order, but valid
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"x.net"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ParseOutcome parsed = ParseBatchOptions(args);
        ASSERT_TRUE(parsed.Options) << parsed.Error;
        EXPECT_EQ(parsed.Options->Experiments.Order, row.order);
        EXPECT_EQ(parsed.Options->Experiments.Seed, row.seed);
    }
    const ParseOutcome all =
        ParseBatchOptions({"x.net", "--least-squares", "--test-all", "--weights-csv", "w.csv",
                           "--weights-npy", "w.npy"});
    ASSERT_TRUE(all.Options);
    EXPECT_TRUE(all.Options->Experiments.LeastSquares);
    EXPECT_TRUE(all.Options->Experiments.TestAll);
    EXPECT_EQ(all.Options->Experiments.WeightsCsv, "w.csv");
    EXPECT_EQ(all.Options->Experiments.WeightsNpy, "w.npy");
}

TEST(ExperimentOptions, RefusedValuesGiveOneLine) {
    const std::string seedMessage =
        "--seed must be a whole number from 0 to 9223372036854775807, not ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--order"}, "option --order needs a value"},
        {{"--order", "random"}, "--order must be file or permuted, not \"random\""},
        {{"--order", "Permuted"}, "--order must be file or permuted, not \"Permuted\""},
        {{"--seed"}, "option --seed needs a value"},
        {{"--seed", "-1"}, seedMessage + "\"-1\""},
        {{"--seed", "+5"}, seedMessage + "\"+5\""},
        {{"--seed", ""}, seedMessage + "\"\""},
        {{"--seed", " 5"}, seedMessage + "\" 5\""},
        {{"--seed", "1e3"}, seedMessage + "\"1e3\""},
        {{"--seed", "0x10"}, seedMessage + "\"0x10\""},
        {{"--seed", "2.0"}, seedMessage + "\"2.0\""},
        {{"--seed", "9223372036854775808"}, seedMessage + "\"9223372036854775808\""},
        {{"--seed", "18446744073709551616"}, seedMessage + "\"18446744073709551616\""},
        {{"--seed", "5\nrm"}, seedMessage + "\"5?rm\""},
        {{"--weights-csv"}, "option --weights-csv needs a value"},
        {{"--weights-npy", ""}, "option --weights-npy needs a file name"},
    };
    for (const auto& [extra, message] : rows) {
        std::vector<std::string> args = {"x.net"};
        args.insert(args.end(), extra.begin(), extra.end());
        const ParseOutcome parsed = ParseBatchOptions(args);
        EXPECT_FALSE(parsed.Options) << message;
        EXPECT_EQ(parsed.Error, message);
        EXPECT_EQ(parsed.Error.find('\n'), std::string::npos);
    }
}

TEST(ExperimentOptions, HelpListsThem) {
    const std::string usage = BatchUsage();
    for (const char* option : {"--order file|permuted", "--seed N", "--least-squares", "--test-all",
                               "--weights-csv PATH", "--weights-npy PATH"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

// --- Runs ------------------------------------------------------------------------------

struct Finished {
    int status = -1;
    std::string out, err, json;
};

Finished RunArgs(const std::vector<std::string>& args) {
    Finished r;
    const ParseOutcome parsed = ParseBatchOptions(args);
    EXPECT_TRUE(parsed.Options) << parsed.Error;
    if (!parsed.Options)
        return r;
    std::ostringstream out, err, json;
    const std::atomic<bool> stop{false};
    PublicStuff state;
    r.status = RunBatch(*parsed.Options, state, BatchStreams{out, err, json}, stop);
    r.out = out.str();
    r.err = err.str();
    r.json = json.str();
    return r;
}

double NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t k = text.find(label);
    double v = -1;
    if (k != std::string::npos)
        std::from_chars(text.data() + k + label.size(), text.data() + text.size(), v);
    return v;
}

TEST(ExperimentRuns, FiguresAndTableFollowTheFinalDisplayLines) {
    const Finished r = RunArgs({kExamples + "/dependent.net", "--rule", "delta", "--epochs", "500",
                                "--least-squares", "--test-all"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::size_t table = r.out.find("Least-squares SSE: ");
    ASSERT_NE(table, std::string::npos) << r.out;
    EXPECT_LT(r.out.find("Total SSE: 0.46\n"), table);
    EXPECT_NEAR(NumberAfter(r.out, "Least-squares SSE: "), 2.0 / 3.0, 1e-14);
    EXPECT_GT(NumberAfter(r.out, "Fixed-weight SSE: "), 2.0 / 3.0);
    EXPECT_NE(r.out.find("\npattern\tsse\tndp\tnvl\tvcor\n1\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n3\t"), std::string::npos);
    // Pattern 3's target is (0, 0): a . t = 0, so ndp and vcor are 0.
    EXPECT_NE(r.out.find("\t0\t"), std::string::npos);
}

TEST(ExperimentRuns, WithJsonNothingIsPrinted) {
    const Finished r =
        RunArgs({kExamples + "/dependent.net", "--least-squares", "--test-all", "--json", "-"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.find("Least-squares"), std::string::npos);
    EXPECT_EQ(r.out.find("pattern\t"), std::string::npos);
    EXPECT_NE(r.json.find("\"test_all\": ["), std::string::npos);
}

TEST(ExperimentRuns, PermutedOrderChangesTheResultReproducibly) {
    const std::string net = kExamples + "/letters.net";
    const Finished file = RunArgs({net, "--rule", "delta", "--json", "-"});
    const Finished a =
        RunArgs({net, "--rule", "delta", "--json", "-", "--order", "permuted", "--seed", "3"});
    const Finished b =
        RunArgs({net, "--rule", "delta", "--json", "-", "--order", "permuted", "--seed", "3"});
    const Finished other =
        RunArgs({net, "--rule", "delta", "--json", "-", "--order", "permuted", "--seed", "4"});
    EXPECT_EQ(a.json, b.json);
    // Everything up to the history (the weights and total SSE) differs from file order.
    const auto upToHistory = [](const std::string& json) {
        return json.substr(0, json.find("\"history\""));
    };
    EXPECT_NE(upToHistory(a.json), upToHistory(file.json));
    EXPECT_NE(a.json, other.json);
    EXPECT_NE(a.json.find(",\n  \"order\": \"permuted\",\n  \"seed\": 3\n}\n"), std::string::npos);
}

TEST(ExperimentRuns, MeasuresThatOverflowEndWithTheTrainingMessage) {
    // One epoch of Delta at rate 1 leaves weight 1e154, fitted to pattern 2 (input 1);
    // pattern 1 (input 1e10, target 0) then recalls 1e164, whose square overflows.
    testsupport::TempFolder folder;
    const std::string net = folder.File("huge.net");
    testsupport::WriteBytes(net, "1, 0, 1, 2\n1e10\n1\n0\n1e154\n");
    for (const char* option : {"--test-all", "--least-squares"}) {
        const std::string csv = folder.File("w.csv");
        const Finished r = RunArgs(
            {net, "--rule", "delta", "--rate", "1", "--epochs", "1", option, "--weights-csv", csv});
        EXPECT_EQ(r.status, kExitTrainingError) << option;
        EXPECT_EQ(
            r.err.rfind("mnemex-batch: This version of the code has encountered an error. ", 0), 0u)
            << option << r.err;
        EXPECT_NE(r.err.find(" Overflow"), std::string::npos) << option;
        EXPECT_FALSE(std::filesystem::exists(csv)) << option;
    }
}

TEST(ExperimentRuns, ExportsAreWrittenAfterASuccessfulRunOnly) {
    testsupport::TempFolder folder;
    const std::string csv = folder.File("w.csv");
    // One Hebb epoch at rate 0.5: weight (j, i) = 0.5 x the sum over patterns of input i
    // times target j: output 1 (0.5, 0, 0.5), output 2 (0, 0.5, 0.5).
    Finished r = RunArgs({kExamples + "/dependent.net", "--rate", "0.5", "--epochs", "1",
                          "--weights-csv", csv, "--weights-npy", folder.File("w.npy")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(testsupport::ReadBytes(csv), "0.5,0,0.5\n0,0.5,0.5\n");
    EXPECT_TRUE(std::filesystem::exists(folder.File("w.npy")));

    // A diverging run writes no export.
    const std::string failed = folder.File("failed.csv");
    r = RunArgs({kExamples + "/dependent.net", "--rule", "delta", "--rate", "50", "--epochs",
                 "2000", "--weights-csv", failed});
    EXPECT_EQ(r.status, kExitTrainingError);
    EXPECT_FALSE(std::filesystem::exists(failed));

    // A file that cannot be written: exit 1 with a message.
    r = RunArgs({kExamples + "/dependent.net", "--weights-npy", folder.File("none/w.npy")});
    EXPECT_EQ(r.status, kExitTrainingError);
    EXPECT_NE(r.err.find("mnemex-batch: "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("none")));
}

}  // namespace
}  // namespace mnemex::batch
