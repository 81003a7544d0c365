#include "core/DecimalText.h"

#include <locale.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/DoubleChars.h"

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
    const auto [ptr, ec] = chars::Read(first, last, value);
    if (ec != std::errc() || ptr != last)
        value = ConvertWithStrtod(text);
    return std::isfinite(value) ? DecimalResult::kOk : DecimalResult::kTooLarge;
}

constexpr std::uint64_t kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Appends the run of decimal digits at `p` to `whole` (which wraps harmlessly past 19
// digits: callers refuse those) and returns where the run ends. Eight bytes at a time on
// little-endian machines: the buffer holds at least eight bytes from `p` on.
[[gnu::always_inline]] inline const char* AppendDigits(const char* p, std::uint64_t& whole) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kZeros = 0x3030303030303030;
        constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
        for (;;) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p, sizeof chunk);
            // A byte is a digit when its high half is 3 both as it is and after adding 6; a
            // carry out of a non-digit only reaches later bytes, which are not used.
            const std::uint64_t other =
                ((chunk & kHigh) ^ kZeros) | (((chunk + 0x0606060606060606) & kHigh) ^ kZeros);
            const int count = other == 0 ? 8 : std::countr_zero(other) / 8;
            if (count == 0)
                return p;
            // The digits as the last bytes of an eight-digit number with leading zeros,
            // then combined in pairs, fours and eights.
            std::uint64_t v = (chunk - kZeros) << (8 * (8 - count));
            v = (v * 10) + (v >> 8);
            v = (((v & 0x000000FF000000FF) * 0x000F424000000064) +
                 (((v >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
                32;
            whole = whole * kScale[count] + v;
            p += count;
            if (count < 8)
                return p;
        }
    } else {
        for (; IsDigit(*p); ++p)
            whole = whole * 10 + static_cast<unsigned>(*p - '0');
        return p;
    }
}

// A whole number of at most 2^53 times or divided by a power of ten up to 10^22 involves
// two exact doubles and one correctly rounded operation, so its result is the correctly
// rounded value of the text. Everything else is left to ReadDecimal.
const char* ReadShortDecimal(const char* p, double& value) {
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    std::uint64_t whole = 0;
    const char* const first = p;
    p = AppendDigits(p, whole);
    int digits = static_cast<int>(p - first);
    int scale = 0;
    if (*p == '.') {
        const char* const fraction = ++p;
        p = AppendDigits(p, whole);
        scale = static_cast<int>(p - fraction);
        digits += scale;
    }
    if (digits == 0 || digits > 19)
        return nullptr;
    int exponent = 0;
    if (*p == 'e' || *p == 'E') {
        ++p;
        bool negativeExponent = false;
        if (*p == '+' || *p == '-')
            negativeExponent = *p++ == '-';
        const char* const exponentDigits = p;
        for (; IsDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 100000);
        if (p == exponentDigits || p - exponentDigits > 4)
            return nullptr;
        if (negativeExponent)
            exponent = -exponent;
    }
    const int power = exponent - scale;
    if (whole > (std::uint64_t{1} << 53) || power < -22 || power > 22)
        return nullptr;
    double magnitude = static_cast<double>(whole);
    magnitude =
        power < 0 ? magnitude / kExactPowersOfTen[-power] : magnitude * kExactPowersOfTen[power];
    value = negative ? -magnitude : magnitude;
    return p;
}

}  // namespace mnemex
