// The browser build writes and reads numbers with its own conversions: they must give the
// standard library's characters and values exactly, or files and reports would differ.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/DoubleChars.h"

namespace mnemex::chars {
namespace {

using Writer = std::to_chars_result (*)(char*, char*, double);

std::string Written(Writer write, double value) {
    char buf[512];
    const auto r = write(buf, buf + sizeof buf, value);
    EXPECT_EQ(r.ec, std::errc());
    return std::string(buf, r.ptr);
}

// Doubles of every kind: edges, round numbers, and random bit patterns (all exponents).
std::vector<double> Values() {
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.1,
                                  0.5,
                                  1e20,
                                  1e21,
                                  1e22,
                                  1e23,
                                  1e-5,
                                  1e-7,
                                  123456.0,
                                  1.5e-300,
                                  max,
                                  -max,
                                  tiny,
                                  -tiny,
                                  2.2250738585072014e-308,
                                  1e15,
                                  1e16,
                                  1e17,
                                  0.001,
                                  0.0001,
                                  123456789012345680000.0,
                                  9.5e-5,
                                  5e-324};
    std::mt19937_64 bits(20261208);
    for (int k = 0; k < 20000; ++k) {
        const double v = std::bit_cast<double>(bits());
        if (std::isfinite(v))
            values.push_back(v);
    }
    std::uniform_real_distribution<double> weights(-50.0, 50.0);
    for (int k = 0; k < 5000; ++k)
        values.push_back(weights(bits));
    return values;
}

TEST(DoubleChars, PortableFormsWriteTheStandardCharacters) {
    if (!portable::Available())
        GTEST_SKIP() << "fast_float and fmt are not installed";
    struct Form {
        const char* name;
        Writer standard;
        Writer ours;
    };
    const Form forms[] = {
        {"shortest", [](char* f, char* l, double v) { return std::to_chars(f, l, v); },
         portable::Shortest},
        {"fixed 40",
         [](char* f, char* l, double v) {
             return std::to_chars(f, l, v, std::chars_format::fixed, 40);
         },
         [](char* f, char* l, double v) { return portable::Fixed(f, l, v, 40); }},
        {"scientific 40",
         [](char* f, char* l, double v) {
             return std::to_chars(f, l, v, std::chars_format::scientific, 40);
         },
         [](char* f, char* l, double v) { return portable::Scientific(f, l, v, 40); }},
        {"scientific 14",
         [](char* f, char* l, double v) {
             return std::to_chars(f, l, v, std::chars_format::scientific, 14);
         },
         [](char* f, char* l, double v) { return portable::Scientific(f, l, v, 14); }},
    };
    for (const Form& form : forms) {
        int differences = 0;
        for (const double v : Values()) {
            // Fixed with 40 decimals of 1e308 needs more room than any caller gives it.
            if (form.standard == forms[1].standard && std::fabs(v) > 1e100)
                continue;
            const std::string expected = Written(form.standard, v);
            const std::string actual = Written(form.ours, v);
            if (expected != actual && ++differences <= 5)
                ADD_FAILURE() << form.name << ": " << expected << " written as " << actual;
        }
        EXPECT_EQ(differences, 0) << form.name;
    }
}

TEST(DoubleChars, PortableReadingAgreesWithTheStandardLibrary) {
    if (!portable::Available())
        GTEST_SKIP() << "fast_float and fmt are not installed";
    std::vector<std::string> texts = {
        "1e400",
        "-1e400",
        "1e-400",
        "4.9e-324",
        "2e-324",
        "3e-324",
        "0e999",
        "-0",
        "inf",
        "-infinity",
        "nan",
        "0x10",
        "1e",
        "1.5e+",
        " 1",
        "+1",
        ".5",
        "5.",
        "",
        "-",
        "1,5",
        "0.30000000000000004",
        "179769313486231580793728971405303415079934132710037826936173778980444"
        "968292764750946649017977587207096330286416692887910946555547851940402630657488671505820681"
        "908902000708383676273854845817711531764475730270069855571366959622842914819860834936475292"
        "719074168444365510704342711559699508093042880177904174497792"};
    for (const double v : Values()) {
        char buf[64];
        texts.emplace_back(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
        texts.emplace_back(
            buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 20).ptr);
    }
    for (const std::string& text : texts) {
        double expected = 42.0;
        double actual = 42.0;
        const char* end = text.data() + text.size();
        const auto want = std::from_chars(text.data(), end, expected);
        const auto got = portable::Read(text.data(), end, actual);
        EXPECT_EQ(got.ec, want.ec) << text;
        EXPECT_EQ(got.ptr - text.data(), want.ptr - text.data()) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected) ||
                      (std::isnan(actual) && std::isnan(expected)),
                  true)
            << text << " read as " << actual << ", not " << expected;
    }
}

}  // namespace
}  // namespace mnemex::chars
