#include "reports/text/AnalysisClock.h"

#include <ctime>

namespace mnemex::report {

namespace {

std::string Format(const char* pattern, const std::tm& when) {
    char buf[128];
    const std::size_t n = std::strftime(buf, sizeof buf, pattern, &when);
    return std::string(buf, n);
}

}  // namespace

AnalysisTime AnalysisTimeNow() {
    return AnalysisTimeAt(std::time(nullptr));
}

AnalysisTime AnalysisTimeAt(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return AnalysisTime{Format("%x", local), Format("%X", local)};
}

}  // namespace mnemex::report
