// The text report as the user opens it in an editor: every byte of every section.

#include <gtest/gtest.h>

#include "ReportNetworks.h"
#include "core/RunTimeError.h"
#include "reports/text/ReportText.h"

namespace mnemex::report {
namespace {

using reporttest::MakeNetwork;
using reporttest::SmallTrainedNetwork;

const AnalysisTime kWhen{"12/08/26", "01:02:03"};

// A report line with its extra CR.
std::string L(const std::string& text) {
    return text + "\r\r\n";
}

const std::string kLong = "=============================================";
const std::string kShort = "---------------";

std::string SmallHeader() {
    return L("Distributed Associative Memory Program") + L(kLong) +
           L("Results Of Training With File: small.net") + L("Date Of Analysis: 12/08/26") +
           L("Time Of Analysis: 01:02:03") + L(kLong);
}

SectionSet Only(Section section) {
    SectionSet set{};
    set[section] = true;
    return set;
}

TEST(Report, MatchesTheOneResponseSectionExampleByteForByte) {
    PublicStuff s = MakeNetwork(1, 1, {1, -0.5}, {0, 0}, {0.5});
    s.TrainingFileName = "patterns.net";
    const std::string expected =
        "Distributed Associative Memory Program\r\r\n"
        "=============================================\r\r\n"
        "Results Of Training With File: patterns.net\r\r\n"
        "Date Of Analysis: 12/08/26\r\r\n"
        "Time Of Analysis: 01:02:03\r\r\n"
        "=============================================\r\r\n"
        "Network Responses To Each Input Pattern:\r\r\n"
        "---------------\r\r\n"
        "Pattern 1\t+.50\t\r\r\n"
        "Pattern 2\t-.25\t\r\r\n"
        "=============================================\r\r\n";
    EXPECT_EQ(BuildReport(s, Only(kNetworkResponses), kWhen), expected);
}

struct SectionCase {
    const char* name;
    Section section;
    std::string body;  // what follows the header
};

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << c.name;
}

class OneSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(OneSection, FollowsTheHeaderExactly) {
    PublicStuff s = SmallTrainedNetwork();
    EXPECT_EQ(BuildReport(s, Only(GetParam().section), kWhen), SmallHeader() + GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    SmallNetwork, OneSection,
    ::testing::Values(
        SectionCase{"General", kGeneralInformation,
                    L("Learning rule: Delta") + L("Learning rate: 0.1") +
                        L("Training completed after 25 epochs") + L(kLong)},
        SectionCase{"Responses", kNetworkResponses,
                    L("Network Responses To Each Input Pattern:") + L(kShort) +
                        L("Pattern 1\t+.50\t+1.50\t") + L("Pattern 2\t+.00\t+.75\t") + L(kLong)},
        SectionCase{"Errors", kNetworkErrors,
                    L("After training, sum of squared error was: 0.015625") +
                        L("Network Response Errors To Each Input Pattern:") + L(kShort) +
                        L("Pattern 1\t+.50\t-2.00\t") + L("Pattern 2\t+.25\t+1.25\t") + L(kLong)},
        SectionCase{"Weights", kConnectionWeights,
                    L("Connection weights from input units (rows) to output units (columns):") +
                        L(kShort) + L("\tOut 1\tOut 2\t") + L("INP 1\t+.50\t+1.50\t") +
                        L("INP 2\t-.25\t+.00\t") + L(kLong)},
        SectionCase{"Inputs", kInputPatterns,
                    L("The set of input patterns was:") + L(kShort) +
                        L("Pattern 1\t+1.00\t+.00\t") + L("Pattern 2\t+.50\t+1.00\t") + L(kLong)},
        SectionCase{"Outputs", kOutputPatterns,
                    L("The set of desired outputs was:") + L(kShort) +
                        L("Pattern 1\t+1.00\t-.50\t") + L("Pattern 2\t+.25\t+2.00\t") + L(kLong)},
        SectionCase{"SSE", kSSEHistory,
                    L("Network SSE as a function of sweeps of training was:") + L(kShort) +
                        L("Sweeps\tNetwork SSE") + "0.00\t5.50E+00\r\n" + "25.00\t1.56E-02\r\n" +
                        L(kLong)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Report, WithNoBoxTickedHoldsOnlyTheSixHeaderLines) {
    PublicStuff s = SmallTrainedNetwork();
    EXPECT_EQ(BuildReport(s, SectionSet{}, kWhen), SmallHeader());
}

TEST(Report, PutsEverySectionInItsFixedOrder) {
    PublicStuff s = SmallTrainedNetwork();
    SectionSet all{};
    all.fill(true);
    const std::string report = BuildReport(s, all, kWhen);
    const char* headings[] = {
        "Learning rule: ",
        "Network Responses To Each Input Pattern:",
        "After training, sum of squared error was: ",
        "Connection weights from input units",
        "The set of input patterns was:",
        "The set of desired outputs was:",
        "Network SSE as a function of sweeps of training was:",
    };
    std::size_t last = 0;
    for (const char* heading : headings) {
        const std::size_t at = report.find(heading);
        ASSERT_NE(at, std::string::npos) << heading;
        EXPECT_GT(at, last) << heading;
        last = at;
    }
    // Seven sections, each closed by a long separator, after the header's two.
    std::size_t separators = 0;
    for (std::size_t at = report.find(kLong); at != std::string::npos;
         at = report.find(kLong, at + 1))
        ++separators;
    EXPECT_EQ(separators, 9u);
}

TEST(Report, WeightsOfANetworkWithoutOutputUnitsHoldOnlyLabels) {
    PublicStuff s = MakeNetwork(2, 0, {1, 0}, {}, {});
    s.TrainingFileName = "small.net";
    EXPECT_EQ(BuildReport(s, Only(kConnectionWeights), kWhen),
              SmallHeader() +
                  L("Connection weights from input units (rows) to output units (columns):") +
                  L(kShort) + L("\t") + L("INP 1\t") + L("INP 2\t") + L(kLong));
}

TEST(Report, WritesEpochThousandAndSmallErrorInStandardAndScientificForms) {
    PublicStuff s = SmallTrainedNetwork();
    s.SSECount = 1;
    s.SSEHistory[1] = {0, 1000, 0.05};
    const std::string report = BuildReport(s, Only(kSSEHistory), kWhen);
    EXPECT_NE(report.find("Sweeps\tNetwork SSE\r\r\n1,000.00\t5.00E-02\r\n" + kLong),
              std::string::npos);
}

TEST(Report, LeavesTheLastPatternsOutputsInTheUnitRecords) {
    PublicStuff s = SmallTrainedNetwork();
    BuildReport(s, Only(kNetworkErrors), kWhen);
    EXPECT_EQ(s.OutputUnits(1).Activity, 0.0);
    EXPECT_EQ(s.OutputUnits(2).Activity, 0.75);
    EXPECT_EQ(s.OutputUnits(2).Error, 1.25);
}

TEST(Report, RefusesToReportWhenAPatternsOutputsOverflow) {
    PublicStuff s = SmallTrainedNetwork();
    s.Weights.SetWeight(1, 1, 1e308);
    s.InputPatterns(1, 1) = 1e10;
    EXPECT_THROW(BuildReport(s, Only(kNetworkResponses), kWhen), RunTimeException);
}

}  // namespace
}  // namespace mnemex::report
