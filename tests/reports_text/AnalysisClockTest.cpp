// The date and time of the report header follow the user's LC_TIME.

#include <gtest/gtest.h>

#include <clocale>
#include <regex>

#include "reports/text/AnalysisClock.h"

namespace mnemex::report {
namespace {

TEST(AnalysisClock, UsesTheShortDateAndLongTimeOfTheCurrentLocale) {
    const std::string saved = std::setlocale(LC_TIME, nullptr);
    std::setlocale(LC_TIME, "C");
    const AnalysisTime now = AnalysisTimeNow();
    std::setlocale(LC_TIME, saved.c_str());
    EXPECT_TRUE(std::regex_match(now.Date, std::regex(R"(\d\d/\d\d/\d\d)"))) << now.Date;
    EXPECT_TRUE(std::regex_match(now.Time, std::regex(R"(\d\d:\d\d:\d\d)"))) << now.Time;
}

}  // namespace
}  // namespace mnemex::report
