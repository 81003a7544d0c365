#pragma once
// Converting the text of one training-file value into a double.

#include <bit>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#define MNEMEX_PLAIN_DECIMAL_SIMD 1
#endif

namespace mnemex {

enum class DecimalResult { kOk, kNotANumber, kTooLarge };

// A decimal number with optional sign, point and exponent ("+2.5E1", "-.5", "7."), in the
// C locale whatever the user's settings, rounded correctly to the nearest double. Words
// such as "nan" or "inf", hexadecimal forms and anything else are not numbers here. A
// value too large for a double is kTooLarge; one too small to represent becomes a
// subnormal or a zero of its sign, as the C library's strtod gives it.
DecimalResult ReadDecimal(std::string_view text, double& value);

// The common short forms (at most 19 digits, exponent within a few powers of ten of the
// digits), converted in one pass straight from a buffer: reads the number that starts at
// `text` and returns where it stops, or nullptr when the text is not such a number (then
// ReadDecimal decides). The text must be followed, within the buffer, by some character
// that cannot continue a number (a separator), and the buffer must hold at least eight
// bytes from every character of the number on. Gives exactly what ReadDecimal gives.
const char* ReadShortDecimal(const char* text, double& value);

// Exactly representable powers of ten.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

#if defined(MNEMEX_PLAIN_DECIMAL_SIMD)
namespace plain {
// Lane masks by count: kFromEnd[n] has its last n lanes set, kBeforeLane[n] its first n.
struct LaneMasks {
    alignas(16) unsigned char lanes[17][16];
};
constexpr LaneMasks MakeLaneMasks(bool fromEnd) {
    LaneMasks m{};
    for (int n = 0; n <= 16; ++n)
        for (int lane = 0; lane < 16; ++lane)
            m.lanes[n][lane] = (fromEnd ? lane >= 16 - n : lane < n) ? 0xFF : 0;
    return m;
}
inline constexpr LaneMasks kFromEnd = MakeLaneMasks(true);
inline constexpr LaneMasks kBeforeLane = MakeLaneMasks(false);
}  // namespace plain

// The last `digits` digits before `stop` (1 to 15), as numbers 0 to 9 in the last lanes
// of a register, the lanes before them cleared; the point, if any, is skipped by moving
// every lane before it up by one (`movedLanes` = 17 less its distance from the stop, 0 for
// none). The 16 bytes before `stop` must be readable.
[[gnu::always_inline]] inline __m128i PlainDigitLanes(const char* stop, int digits,
                                                      int movedLanes) {
    const __m128i ending = _mm_sub_epi8(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(stop - 16)), _mm_set1_epi8('0'));
    const __m128i moved =
        _mm_load_si128(reinterpret_cast<const __m128i*>(plain::kBeforeLane.lanes[movedLanes]));
    const __m128i d = _mm_or_si128(_mm_and_si128(moved, _mm_slli_si128(ending, 1)),
                                   _mm_andnot_si128(moved, ending));
    return _mm_and_si128(
        d, _mm_load_si128(reinterpret_cast<const __m128i*>(plain::kFromEnd.lanes[digits])));
}

// Lanes of digits as two eight-digit numbers, the first from lanes 0 to 7 and the second
// from lanes 8 to 15, in 32-bit lanes 0 and 1 (and again in 2 and 3): pairs, fours and
// eights of digits by multiply-adds.
[[gnu::always_inline]] inline __m128i PlainEights(__m128i d) {
    const __m128i none = _mm_setzero_si128();
    const __m128i tens = _mm_set1_epi32(0x0001000A);
    const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(d, none), tens),
                                          _mm_madd_epi16(_mm_unpackhi_epi8(d, none), tens));
    const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));
    return _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(0x00012710));
}

// The whole number spelled by those digits.
[[gnu::always_inline]] inline std::uint64_t PlainDigits(const char* stop, int digits,
                                                        int movedLanes) {
    const __m128i eights = PlainEights(PlainDigitLanes(stop, digits, movedLanes));
    const auto high = static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights));
    const auto low = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4)));
    return std::uint64_t{high} * 100000000 + low;
}

// `whole` (below 2^53) divided by 10^scale (scale at most 22), negated when `negative`:
// the one correctly rounded operation ReadShortDecimal does (dividing by 10^0 changes
// nothing, as its multiplying by it does not). Negating is flipping the sign bit, without
// a branch: signs come in any order.
[[gnu::always_inline]] inline double PlainValue(std::uint64_t whole, int scale, bool negative) {
    const double magnitude = static_cast<double>(whole) / kExactPowersOfTen[scale];
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) ^
                                 (std::uint64_t{negative} << 63));
}

// The plainest and most common of the short forms, [+-]digits[.digits] in at most 15
// characters, found and converted from 16-byte loads without a branch on the digits.
// Returns where the number stops, or nullptr when no such number ends within the 16 bytes
// from `text`. Where it returns a stop, ReadShortDecimal returns the same stop and value
// unless an exponent ('e' or 'E') starts there. The buffer must hold 16 bytes from `text`
// on and 15 before it.
[[gnu::always_inline]] inline const char* ReadPlainDecimal(const char* text, double& value) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i fromZero = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i digitLanes = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    const auto points =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))));
    const unsigned sign = (text[0] == '+' || text[0] == '-') ? 1u : 0u;
    // Everything that is not a digit, the sign aside; the first of these may be the point.
    unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(digitLanes)) & 0xFFFFu & ~sign;
    const unsigned point = others & (0u - others) & points;
    others ^= point;
    if (others == 0)
        return nullptr;
    const int stop = std::countr_zero(others);
    const int pointFromStop = point != 0 ? stop - std::countr_zero(point) : 0;
    const int digits = stop - static_cast<int>(sign) - (point != 0 ? 1 : 0);
    if (digits == 0)
        return nullptr;
    const std::uint64_t whole =
        PlainDigits(text + stop, digits, pointFromStop != 0 ? 17 - pointFromStop : 0);
    value = PlainValue(whole, pointFromStop != 0 ? pointFromStop - 1 : 0, text[0] == '-');
    return text + stop;
}
#endif

}  // namespace mnemex
