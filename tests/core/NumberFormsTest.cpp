// The number forms as users read them on the display, the probe page and the report.

#include <gtest/gtest.h>

#include <clocale>
#include <iomanip>

#include "core/NumberForms.h"

namespace mnemex {
namespace {

struct FormCase {
    double value;
    const char* text;
};
void PrintTo(const FormCase& c, std::ostream* os) {
    *os << std::setprecision(15) << c.value << " as " << c.text;
}

class Signed2 : public ::testing::TestWithParam<FormCase> {};
TEST_P(Signed2, MatchesTheDisplayedForm) {
    EXPECT_EQ(FormatSigned2(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, Signed2,
                         ::testing::Values(FormCase{1, "+1.00"}, FormCase{0.5, "+.50"},
                                           FormCase{-0.25, "-.25"}, FormCase{0, "+.00"},
                                           FormCase{-0.004, "-.00"}, FormCase{1234.5, "+1234.50"},
                                           FormCase{0.125, "+.13"}, FormCase{-0.125, "-.13"},
                                           FormCase{0.995, "+.99"},  // 0.995 is stored just below
                                           FormCase{0.999, "+1.00"}, FormCase{-9.999, "-10.00"},
                                           FormCase{1e20, "+100000000000000000000.00"}));

class Standard : public ::testing::TestWithParam<FormCase> {};
TEST_P(Standard, MatchesTheDisplayedForm) {
    EXPECT_EQ(FormatStandard(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, Standard,
                         ::testing::Values(FormCase{1234.5, "1,234.50"}, FormCase{0.126, "0.13"},
                                           FormCase{0, "0.00"}, FormCase{1000, "1,000.00"},
                                           FormCase{999.999, "1,000.00"},
                                           FormCase{1234567.891, "1,234,567.89"},
                                           FormCase{-1234.5, "-1,234.50"}, FormCase{-0.001, "0.00"},
                                           FormCase{100, "100.00"}));

class Scientific : public ::testing::TestWithParam<FormCase> {};
TEST_P(Scientific, MatchesTheDisplayedForm) {
    EXPECT_EQ(FormatScientific(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, Scientific,
                         ::testing::Values(FormCase{0.0123, "1.23E-02"},
                                           FormCase{-0.5, "-5.00E-01"}, FormCase{0, "0.00E+00"},
                                           FormCase{0.05, "5.00E-02"}, FormCase{9.999, "1.00E+01"},
                                           FormCase{123456, "1.23E+05"},
                                           FormCase{1e-300, "1.00E-300"},
                                           FormCase{1.5e100, "1.50E+100"}));

class General : public ::testing::TestWithParam<FormCase> {};
TEST_P(General, MatchesTheDisplayedForm) {
    EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, General,
                         ::testing::Values(FormCase{0.1, "0.1"}, FormCase{1.5, "1.5"},
                                           FormCase{0, "0"}, FormCase{-0.25, "-0.25"},
                                           FormCase{100, "100"},
                                           FormCase{1.0 / 3, "0.333333333333333"},
                                           FormCase{123456789012345.0, "123456789012345"},
                                           FormCase{1e15, "1E+15"}, FormCase{0.0001, "0.0001"},
                                           FormCase{1.25e-10, "1.25E-10"},
                                           FormCase{0.30000000000000004, "0.3"}));

TEST(WholeNumbers, PlainDigitsWithMinusSign) {
    EXPECT_EQ(FormatWhole(0), "0");
    EXPECT_EQ(FormatWhole(25), "25");
    EXPECT_EQ(FormatWhole(-7), "-7");
    EXPECT_EQ(FormatWhole(2147483647), "2147483647");
}

TEST(NumberForms, IgnoreTheUsersNumericLocale) {
    // A locale with a decimal comma must not leak into any form.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(FormatStandard(1234.5), "1,234.50");
    EXPECT_EQ(FormatScientific(0.0123), "1.23E-02");
    EXPECT_EQ(FormatGeneral(1.5), "1.5");
    EXPECT_EQ(FormatSigned2(-0.25), "-.25");
    std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
}  // namespace mnemex
