// The probe page's blocks and pattern numbers as the user types and reads them.

#include <gtest/gtest.h>

#include "ReportNetworks.h"
#include "reports/text/ProbeText.h"

namespace mnemex::report {
namespace {

using reporttest::MakeNetwork;

// Two inputs, one output; pattern 2 is input (1, 0) with response 0.5 and desired 1.
PublicStuff ExampleNetwork() {
    return MakeNetwork(2, 1, {0, 1, 1, 0}, {0, 1}, {0.5, 0.25});
}

const std::string kExampleBlock =
    "Pattern: 2\t+1.00\t+.00\t\r\n"
    "---------------\r\n"
    "Response (A):\t+.50\t\r\n"
    "Desired  (D):\t+1.00\t\r\n"
    "Error  (D-A):\t+.50\t\r\n"
    "=============================================\r\n";

TEST(ProbeBlock, MatchesTheExampleLineForLine) {
    PublicStuff s = ExampleNetwork();
    EXPECT_EQ(ProbeBlock(s, 2, "2"), kExampleBlock);
}

TEST(ProbeBlock, KeepsTheTypedTextOfThePatternNumber) {
    PublicStuff s = ExampleNetwork();
    const std::string block = ProbeBlock(s, 2, "02");
    EXPECT_EQ(block.rfind("Pattern: 02\t+1.00\t+.00\t\r\n", 0), 0u);
}

TEST(ProbeBlock, WritesEveryOutputUnitWithATab) {
    PublicStuff s = MakeNetwork(1, 3, {1}, {1, 0, -0.004}, {0.25, -1, 0});
    EXPECT_EQ(ProbeBlock(s, 1, "1"),
              "Pattern: 1\t+1.00\t\r\n"
              "---------------\r\n"
              "Response (A):\t+.25\t-1.00\t+.00\t\r\n"
              "Desired  (D):\t+1.00\t+.00\t-.00\t\r\n"
              "Error  (D-A):\t+.75\t+1.00\t-.00\t\r\n"
              "=============================================\r\n");
}

TEST(ProbeWindow, PutsTheNewestBlockOnTop) {
    PublicStuff s = ExampleNetwork();
    std::string window;
    const std::string first = ProbeBlock(s, 1, "1");
    window = AddProbeBlock(first, window);
    window = AddProbeBlock(ProbeBlock(s, 2, "2"), window);
    EXPECT_EQ(window, kExampleBlock + first);
    EXPECT_EQ(first.rfind("Pattern: 1\t+.00\t+1.00\t\r\n", 0), 0u);
}

TEST(ProbeWindow, ProbingTheSamePatternTwiceGivesTwoIdenticalBlocks) {
    PublicStuff s = ExampleNetwork();
    std::string window = AddProbeBlock(ProbeBlock(s, 2, "2"), "");
    window = AddProbeBlock(ProbeBlock(s, 2, "2"), window);
    EXPECT_EQ(window, kExampleBlock + kExampleBlock);
}

TEST(ProbeWindow, PutsTheBlockAboveTextTheUserTyped) {
    PublicStuff s = ExampleNetwork();
    EXPECT_EQ(AddProbeBlock(ProbeBlock(s, 2, "2"), "my notes"), kExampleBlock + "my notes");
}

TEST(ProbeBlock, ChangesNoWeight) {
    PublicStuff s = ExampleNetwork();
    const auto before = s.Weights.Storage();
    ProbeBlock(s, 1, "1");
    EXPECT_EQ(s.Weights.Storage(), before);
}

struct NumberCase {
    const char* typed;
    int expected;  // 0: refused
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class PatternNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(PatternNumber, AcceptsOnlyWholeNumbersOfExistingPatterns) {
    const auto parsed = ParsePatternNumber(GetParam().typed, 3);
    if (GetParam().expected == 0) {
        EXPECT_FALSE(parsed.has_value()) << *parsed;
    } else {
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ThreePatterns, PatternNumber,
    ::testing::Values(NumberCase{"1", 1}, NumberCase{"3", 3}, NumberCase{"02", 2},
                      NumberCase{" 2 ", 2}, NumberCase{"+2", 2}, NumberCase{"0", 0},
                      NumberCase{"4", 0}, NumberCase{"-1", 0}, NumberCase{"", 0},
                      NumberCase{"   ", 0}, NumberCase{"two", 0}, NumberCase{"1.5", 0},
                      NumberCase{"2x", 0}, NumberCase{"99999999999999999999999", 0},
                      NumberCase{"1e0", 0}));

TEST(ProbePrint, HeadingNamesTheTrainingFile) {
    EXPECT_EQ(ProbePrintHeading("/data/abc.net"),
              "Results Of Testing Distributed Memory On /data/abc.net");
}

}  // namespace
}  // namespace mnemex::report
