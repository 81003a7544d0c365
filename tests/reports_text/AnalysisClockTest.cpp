// The date and time of the report header follow the user's LC_TIME: the same moment reads
// differently under the C locale and under a German one.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "reports/text/AnalysisClock.h"

namespace mnemex::report {
namespace {

// 2026-12-08 14:05:09 UTC.
constexpr std::time_t kMoment = 1796738709;

// Runs with LC_TIME and TZ set for the test and puts both back afterwards.
class AnalysisClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLocale_ = std::setlocale(LC_TIME, nullptr);
        if (const char* tz = std::getenv("TZ"))
            savedZone_ = tz;
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    void TearDown() override {
        std::setlocale(LC_TIME, savedLocale_.c_str());
        if (savedZone_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", savedZone_.c_str(), 1);
        tzset();
    }
    bool UseLocale(const char* name) { return std::setlocale(LC_TIME, name) != nullptr; }

  private:
    std::string savedLocale_;
    std::string savedZone_;
};

TEST_F(AnalysisClockTest, CLocaleGivesMonthDayYearAndTwentyFourHourTime) {
    ASSERT_TRUE(UseLocale("C"));
    const AnalysisTime t = AnalysisTimeAt(kMoment);
    EXPECT_EQ(t.Date, "12/08/26");
    EXPECT_EQ(t.Time, "14:05:09");
}

TEST_F(AnalysisClockTest, GermanLocaleGivesDayMonthYearWithPoints) {
    if (!UseLocale("de_DE.UTF-8"))
        GTEST_SKIP()
            << "de_DE.UTF-8 is not generated on this machine (scripts/install-deps.sh makes it)";
    const AnalysisTime t = AnalysisTimeAt(kMoment);
    EXPECT_EQ(t.Date, "08.12.2026");
    EXPECT_EQ(t.Time, "14:05:09");
}

TEST_F(AnalysisClockTest, NowIsTheCurrentMomentInTheSameForms) {
    ASSERT_TRUE(UseLocale("C"));
    const std::time_t before = std::time(nullptr);
    const AnalysisTime now = AnalysisTimeNow();
    const std::time_t after = std::time(nullptr);
    const AnalysisTime a = AnalysisTimeAt(before), b = AnalysisTimeAt(after);
    EXPECT_TRUE((now.Date == a.Date && now.Time == a.Time) ||
                (now.Date == b.Date && now.Time == b.Time))
        << now.Date << " " << now.Time;
}

}  // namespace
}  // namespace mnemex::report
