// mnemex-batch --report: the report page's file from the command line.

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>

#include "ReportNetworks.h"
#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"

namespace mnemex::batch {
namespace {

using reporttest::ReadBytes;
using reporttest::TestFolder;

struct BatchOutcome {
    int Status = -1;
    std::string Err;
};

BatchOutcome RunBatchWith(std::vector<std::string> args) {
    const auto parsed = ParseBatchOptions(args);
    if (!parsed.Options)
        return BatchOutcome{kExitUsage, parsed.Error};
    std::ostringstream out, err, json;
    PublicStuff state;
    std::atomic<bool> stop{false};
    const int status = RunBatch(*parsed.Options, state, BatchStreams{out, err, json}, stop);
    return BatchOutcome{status, err.str()};
}

const std::string kOrthogonal = std::string(MNEMEX_EXAMPLES_DIR) + "/orthogonal.net";

TEST(BatchReport, WritesTheChosenSectionsAfterTraining) {
    const std::string path = TestFolder() + "/run.txt";
    const BatchOutcome r =
        RunBatchWith({kOrthogonal, "--rule", "delta", "--epochs", "20", "--print-interval", "10",
                      "--report", path, "--sections", "sse,general"});
    ASSERT_EQ(r.Status, kExitOk) << r.Err;
    const std::string report = ReadBytes(path);
    EXPECT_EQ(report.rfind("Distributed Associative Memory Program\r\r\n"
                           "=============================================\r\r\n"
                           "Results Of Training With File: orthogonal.net\r\r\n"
                           "Date Of Analysis: ",
                           0),
              0u)
        << report;
    EXPECT_NE(report.find("Learning rule: Delta\r\r\n"
                          "Learning rate: 0.1\r\r\n"
                          "Training completed after 20 epochs\r\r\n"),
              std::string::npos);
    // Rows for epochs 0, 10 and 20, after the general information.
    const auto history = report.find("Sweeps\tNetwork SSE\r\r\n0.00\t");
    ASSERT_NE(history, std::string::npos);
    EXPECT_GT(history, report.find("Learning rule:"));
    EXPECT_NE(report.find("\r\n10.00\t", history), std::string::npos);
    EXPECT_NE(report.find("\r\n20.00\t", history), std::string::npos);
    EXPECT_EQ(report.find("Network Responses"), std::string::npos);
}

TEST(BatchReport, DefaultsToTheFourSectionsThePageTicks) {
    const std::string path = TestFolder() + "/run.txt";
    ASSERT_EQ(RunBatchWith({kOrthogonal, "--report", path}).Status, kExitOk);
    const std::string report = ReadBytes(path);
    EXPECT_NE(report.find("Learning rule: Hebb"), std::string::npos);
    EXPECT_NE(report.find("Network Responses To Each Input Pattern:"), std::string::npos);
    EXPECT_NE(report.find("Network Response Errors To Each Input Pattern:"), std::string::npos);
    EXPECT_NE(report.find("\tOut 1\tOut 2\tOut 3\t\r\r\nINP 1\t"), std::string::npos);
    EXPECT_EQ(report.find("The set of input patterns was:"), std::string::npos);
    EXPECT_EQ(report.find("Sweeps\tNetwork SSE"), std::string::npos);
}

struct UsageCase {
    std::vector<std::string> args;
    const char* message;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.message;
}

class BatchReportUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(BatchReportUsage, IsRefusedWithAMessage) {
    std::vector<std::string> args{kOrthogonal};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const BatchOutcome r = RunBatchWith(args);
    EXPECT_EQ(r.Status, kExitUsage);
    EXPECT_NE(r.Err.find(GetParam().message), std::string::npos) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, BatchReportUsage,
    ::testing::Values(UsageCase{{"--report", "/tmp/x.txt", "--sections", "weight"},
                                "--sections takes general"},
                      UsageCase{{"--sections", "all"}, "--sections needs --report"},
                      UsageCase{{"--report"}, "option --report needs a value"}));

TEST(BatchReport, UnwritableReportEndsWithStatusOneAndAClearMessage) {
    const std::string folder = TestFolder();
    const BatchOutcome r = RunBatchWith({kOrthogonal, "--report", folder + "/missing/run.txt"});
    EXPECT_EQ(r.Status, kExitTrainingError);
    EXPECT_NE(r.Err.find("the report could not be written to \"" + folder +
                         "/missing/run.txt\": No such file or directory\n"),
              std::string::npos)
        << r.Err;
}

}  // namespace
}  // namespace mnemex::batch
