#include "core/DecimalText.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace mnemex {

namespace {

bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// True when `text` is [+-]digits[.digits][(e|E)[+-]digits] with at least one mantissa digit.
bool IsDecimal(std::string_view text) {
    const char* k = text.data();
    const char* const end = k + text.size();
    if (k != end && (*k == '+' || *k == '-'))
        ++k;
    const char* const mantissa = k;
    while (k != end && IsDigit(*k))
        ++k;
    bool digits = k != mantissa;
    if (k != end && *k == '.') {
        const char* const fraction = ++k;
        while (k != end && IsDigit(*k))
            ++k;
        digits = digits || k != fraction;
    }
    if (!digits)
        return false;
    if (k != end && (*k == 'e' || *k == 'E')) {
        ++k;
        if (k != end && (*k == '+' || *k == '-'))
            ++k;
        const char* const exponent = k;
        while (k != end && IsDigit(*k))
            ++k;
        if (k == exponent)
            return false;
    }
    return k == end;
}

// The C library's conversion, for what std::from_chars reports differently: values out of
// range (strtod gives a signed zero or subnormal below, an infinity above).
double ConvertWithStrtod(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

}  // namespace

DecimalResult ReadDecimal(std::string_view text, double& value) {
    if (!IsDecimal(text))
        return DecimalResult::kNotANumber;
    // from_chars refuses a leading '+', which changes nothing in the value.
    const char* first = text.data() + (text.front() == '+' ? 1 : 0);
    const char* const last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last)
        value = ConvertWithStrtod(text);
    return std::isfinite(value) ? DecimalResult::kOk : DecimalResult::kTooLarge;
}

}  // namespace mnemex
