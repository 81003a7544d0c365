#include "core/DoubleChars.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

#if __has_include(<fast_float/fast_float.h>) && __has_include(<fmt/format.h>)
#define MNEMEX_PORTABLE_CHARS 1
#define FMT_HEADER_ONLY
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#else
#define MNEMEX_PORTABLE_CHARS 0
#endif

// The browser build's standard library declares no floating-point <charconv>.
#if defined(__EMSCRIPTEN__)
#define MNEMEX_STD_FLOAT_CHARS 0
#else
#define MNEMEX_STD_FLOAT_CHARS 1
#endif

#if !MNEMEX_STD_FLOAT_CHARS && !MNEMEX_PORTABLE_CHARS
#error "No floating-point text conversions: install fast_float and fmt"
#endif

namespace mnemex::chars {

namespace portable {

#if MNEMEX_PORTABLE_CHARS

namespace {

std::to_chars_result TooSmall(char* last) {
    return {last, std::errc::value_too_large};
}

// Copies `text` when it fits.
std::to_chars_result Put(char* first, char* last, const char* text, std::size_t size) {
    if (static_cast<std::size_t>(last - first) < size)
        return TooSmall(last);
    std::memcpy(first, text, size);
    return {first + size, std::errc()};
}

int DigitCount(std::uint64_t n) {
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

template <class... Args>
std::to_chars_result Formatted(char* first, char* last, fmt::format_string<Args...> form,
                               Args&&... args) {
    const auto r = fmt::format_to_n(first, static_cast<std::size_t>(last - first), form,
                                    std::forward<Args>(args)...);
    if (r.size > static_cast<std::size_t>(last - first))
        return TooSmall(last);
    return {r.out, std::errc()};
}

}  // namespace

bool Available() {
    return true;
}

// The shortest digits (Dragonbox), laid out as <charconv>'s plain form lays them out: fixed
// or scientific, whichever has fewer characters, fixed on a tie.
std::to_chars_result Shortest(char* first, char* last, double value) {
    if (!std::isfinite(value) || value == 0.0)
        return Formatted(first, last, "{}", value);
    const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(value));
    char digits[24];
    const int count = DigitCount(decimal.significand);
    std::uint64_t s = decimal.significand;
    for (int k = count - 1; k >= 0; --k, s /= 10)
        digits[k] = static_cast<char>('0' + s % 10);
    const int exponent = decimal.exponent;  // value = digits x 10^exponent
    const int scientificExponent = exponent + count - 1;
    const int absExponent = scientificExponent < 0 ? -scientificExponent : scientificExponent;
    const int scientificSize =
        count + (count > 1 ? 1 : 0) + 2 + std::max(2, DigitCount(absExponent));
    int fixedSize = 0;
    if (exponent >= 0)
        fixedSize = count + exponent;
    else if (count + exponent > 0)
        fixedSize = count + 1;
    else
        fixedSize = 2 - (count + exponent) + count;

    char text[400];
    std::size_t size = 0;
    if (value < 0)
        text[size++] = '-';
    if (fixedSize <= scientificSize) {
        if (exponent > 0) {
            // Digits padded with zeros would read back the same, but <charconv> writes the
            // whole number exactly: the text nearest to the value wins.
            return Formatted(first, last, "{:.0f}", value);
        }
        if (exponent == 0) {
            std::memcpy(text + size, digits, static_cast<std::size_t>(count));
            size += static_cast<std::size_t>(count);
        } else if (count + exponent > 0) {
            const auto whole = static_cast<std::size_t>(count + exponent);
            std::memcpy(text + size, digits, whole);
            size += whole;
            text[size++] = '.';
            std::memcpy(text + size, digits + whole, static_cast<std::size_t>(count) - whole);
            size += static_cast<std::size_t>(count) - whole;
        } else {
            text[size++] = '0';
            text[size++] = '.';
            const auto zeros = static_cast<std::size_t>(-(count + exponent));
            std::memset(text + size, '0', zeros);
            size += zeros;
            std::memcpy(text + size, digits, static_cast<std::size_t>(count));
            size += static_cast<std::size_t>(count);
        }
    } else {
        text[size++] = digits[0];
        if (count > 1) {
            text[size++] = '.';
            std::memcpy(text + size, digits + 1, static_cast<std::size_t>(count - 1));
            size += static_cast<std::size_t>(count - 1);
        }
        const auto tail = fmt::format_to_n(text + size, 8, "e{}{:02}",
                                           scientificExponent < 0 ? '-' : '+', absExponent);
        size += tail.size;
    }
    return Put(first, last, text, size);
}

std::to_chars_result Fixed(char* first, char* last, double value, int precision) {
    return Formatted(first, last, "{:.{}f}", value, precision);
}

std::to_chars_result Scientific(char* first, char* last, double value, int precision) {
    return Formatted(first, last, "{:.{}e}", value, precision);
}

// fast_float reads what <charconv> reads; only its answers out of range differ: a finite
// text too large gives infinity there and one too small gives zero, where <charconv>
// reports the range and leaves the value alone.
std::from_chars_result Read(const char* first, const char* last, double& value) {
    double parsed = 0.0;
    const auto r = fast_float::from_chars(first, last, parsed);
    if (r.ec != std::errc())
        return {r.ptr, r.ec};
    const char* p = first;
    if (p != r.ptr && *p == '-')
        ++p;
    const bool infinityText = p != r.ptr && (*p == 'i' || *p == 'I');
    if (std::isinf(parsed) && !infinityText)
        return {r.ptr, std::errc::result_out_of_range};
    if (parsed == 0.0) {
        for (; p != r.ptr && *p != 'e' && *p != 'E'; ++p)
            if (*p >= '1' && *p <= '9')
                return {r.ptr, std::errc::result_out_of_range};
    }
    value = parsed;
    return {r.ptr, std::errc()};
}

#else

bool Available() {
    return false;
}
std::to_chars_result Shortest(char*, char* last, double) {
    return {last, std::errc::not_supported};
}
std::to_chars_result Fixed(char*, char* last, double, int) {
    return {last, std::errc::not_supported};
}
std::to_chars_result Scientific(char*, char* last, double, int) {
    return {last, std::errc::not_supported};
}
std::from_chars_result Read(const char* first, const char*, double&) {
    return {first, std::errc::not_supported};
}

#endif

}  // namespace portable

#if MNEMEX_STD_FLOAT_CHARS

std::to_chars_result Shortest(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
std::to_chars_result Fixed(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::fixed, precision);
}
std::to_chars_result Scientific(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}
std::from_chars_result Read(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}

#else

std::to_chars_result Shortest(char* first, char* last, double value) {
    return portable::Shortest(first, last, value);
}
std::to_chars_result Fixed(char* first, char* last, double value, int precision) {
    return portable::Fixed(first, last, value, precision);
}
std::to_chars_result Scientific(char* first, char* last, double value, int precision) {
    return portable::Scientific(first, last, value, precision);
}
std::from_chars_result Read(const char* first, const char* last, double& value) {
    return portable::Read(first, last, value);
}

#endif

}  // namespace mnemex::chars
