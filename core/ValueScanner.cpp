#include "core/ValueScanner.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace mnemex {

ValueScanner::ValueScanner(std::FILE* file, long long size, std::size_t bufferBytes)
    : file_(file),
      capacity_(std::max(bufferBytes, 2 * (kMaxTokenLength + 1))),
      // Left uninitialised, as the data read over it will be (the browser build's library
      // has no make_unique_for_overwrite).
      storage_(new char[kFront + capacity_ + kPadding]),
      buffer_(storage_.get() + kFront),
      pos_(buffer_),
      end_(buffer_),
      remaining_(size < 0 ? -1 : size) {
    std::memset(storage_.get(), 0, kFront);
    std::memset(end_, ' ', kPadding);
}

long long ValueScanner::RemainingBytes() const {
    return remaining_ < 0 ? 0 : remaining_ + static_cast<long long>(end_ - pos_);
}

bool ValueScanner::Fill() {
    if (atEnd_)
        return false;
    const std::size_t kept = static_cast<std::size_t>(end_ - pos_);
    char* const start = buffer_;
    std::memmove(start, pos_, kept);
    const std::size_t n = std::fread(start + kept, 1, capacity_ - kept, file_);
    if (n < capacity_ - kept) {
        atEnd_ = true;
        readError_ = std::ferror(file_) != 0;
    }
    readBytes_ += static_cast<long long>(n);
    if (remaining_ >= 0)
        remaining_ = std::max(0LL, remaining_ - static_cast<long long>(n));
    pos_ = start;
    end_ = start + kept + n;
    std::memset(end_, ' ', kPadding);
    return n > 0;
}

bool ValueScanner::SkipSeparatorsSlowly() {
    // A second comma with nothing between is an empty field, and so is a comma before the
    // first value.
    bool commaSinceValue = !seenValue_;
    seenValue_ = true;
    for (;; ++pos_) {
        if (pos_ == end_ && !Fill()) {
            separatorStatus_ = readError_ ? Status::kReadError : Status::kEnd;
            return false;
        }
        const char c = *pos_;
        if (c == ',') {
            if (commaSinceValue) {
                tokenLine_ = line_;
                separatorStatus_ = Status::kEmptyField;
                return false;
            }
            commaSinceValue = true;
        } else if (IsBlank(c)) {
            CountLine(c);
        } else {
            break;
        }
    }
    tokenLine_ = line_;
    if (static_cast<std::size_t>(end_ - pos_) <= kMaxTokenLength)
        Fill();
    return true;
}

ValueScanner::Status ValueScanner::NextLongForm(double& value) {
    const std::size_t available = static_cast<std::size_t>(end_ - pos_);
    const char* const limit = pos_ + std::min(available, kMaxTokenLength);
    const char* p = pos_;
    while (p != limit && !IsSeparator(*p))
        ++p;
    if (p != end_ && p == pos_ + kMaxTokenLength && !IsSeparator(*p))
        return Status::kTooLong;
    token_ = std::string_view(pos_, static_cast<std::size_t>(p - pos_));
    pos_ = p;
    switch (ReadDecimal(token_, value)) {
        case DecimalResult::kOk:
            return Status::kNumber;
        case DecimalResult::kTooLarge:
            return Status::kTooLarge;
        case DecimalResult::kNotANumber:
            break;
    }
    return Status::kNotANumber;
}

#if defined(MNEMEX_PLAIN_DECIMAL_SIMD)

namespace {

// One bit per byte of the 64 from a block's start.
struct BlockMasks {
    std::uint64_t separators;  // blank, line feed or comma: all a run passes
    std::uint64_t lineFeeds;
    std::uint64_t points;
    std::uint64_t signs;
    std::uint64_t allowed;  // those, digits and signs
};

[[gnu::always_inline]] inline BlockMasks Classify(const char* block) {
    BlockMasks m{};
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
        const __m128i lineFeed = _mm_cmpeq_epi8(b, _mm_set1_epi8('\n'));
        const __m128i blankOrLineFeed =
            _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8(' ')), lineFeed);
        const __m128i separator =
            _mm_or_si128(blankOrLineFeed, _mm_cmpeq_epi8(b, _mm_set1_epi8(',')));
        const __m128i sign = _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('+')),
                                          _mm_cmpeq_epi8(b, _mm_set1_epi8('-')));
        // '+' to '9' holds the signs, the comma, the point and the digits, and '/'.
        const __m128i fromPlus = _mm_sub_epi8(b, _mm_set1_epi8('+'));
        const __m128i plusToNine =
            _mm_cmpeq_epi8(_mm_min_epu8(fromPlus, _mm_set1_epi8('9' - '+')), fromPlus);
        const __m128i allowed = _mm_or_si128(
            _mm_andnot_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('/')), plusToNine), blankOrLineFeed);
        const auto bits = [k](__m128i lanes) {
            return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(lanes))} << (16 * k);
        };
        m.separators |= bits(separator);
        m.lineFeeds |= bits(lineFeed);
        m.points |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8('.')));
        m.signs |= bits(sign);
        m.allowed |= bits(allowed);
    }
    return m;
}

// The values found and not yet converted: where each stops and its shape.
struct Pending {
    static constexpr int kCapacity = 96;  // flushed above 64, and a block holds at most 32
    // Bits 0-7 the digits, 8-15 the lanes moved to skip the point, 16-23 the decimals,
    // bit 24 a minus sign, bit 25 more than eight digits; 0 for no digit at all.
    static constexpr std::uint32_t kMinus = 1u << 24;
    static constexpr std::uint32_t kLong = 1u << 25;
    const char* stops[kCapacity + 1];
    std::uint32_t shapes[kCapacity + 1];
    alignas(16) double values[kCapacity + 1];
    int count = 0;
};

// The shape of every plain value of at most 15 characters, by its length, the point's
// distance from its end (0: none) and whether it has a sign.
struct Shapes {
    std::uint32_t of[16][16][2];
};
constexpr Shapes MakeShapes() {
    Shapes shapes{};
    for (int length = 0; length < 16; ++length)
        for (int pointFromStop = 0; pointFromStop < 16; ++pointFromStop)
            for (int sign = 0; sign < 2; ++sign) {
                const int point = pointFromStop != 0 ? 1 : 0;
                const int digits = length - sign - point;
                if (digits < 1)
                    continue;
                shapes.of[length][pointFromStop][sign] =
                    static_cast<std::uint32_t>(digits) |
                    static_cast<std::uint32_t>(point != 0 ? 17 - pointFromStop : 0) << 8 |
                    static_cast<std::uint32_t>(point != 0 ? pointFromStop - 1 : 0) << 16 |
                    (digits > 8 ? Pending::kLong : 0);
            }
    return shapes;
}
constexpr Shapes kShapes = MakeShapes();

// The bits set in `bits`, without the instruction older x86-64 processors lack.
int CountBits(std::uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555;
    bits = (bits & 0x3333333333333333) + ((bits >> 2) & 0x3333333333333333);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((bits * 0x0101010101010101) >> 56);
}

// Converts two values at once: their digits side by side, one division for both.
void ConvertPending(Pending& p, std::vector<double>& out) {
    if (p.count == 0)
        return;
    // An odd count converts the last value twice.
    p.stops[p.count] = p.stops[p.count - 1];
    p.shapes[p.count] = p.shapes[p.count - 1];
    alignas(16) static constexpr std::uint64_t kSignBits[4][2] = {
        {0, 0},
        {std::uint64_t{1} << 63, 0},
        {0, std::uint64_t{1} << 63},
        {std::uint64_t{1} << 63, std::uint64_t{1} << 63}};
    for (int k = 0; k < p.count; k += 2) {
        const std::uint32_t a = p.shapes[k];
        const std::uint32_t b = p.shapes[k + 1];
        const __m128i first = PlainDigitLanes(p.stops[k], static_cast<int>(a & 0xFF),
                                              static_cast<int>((a >> 8) & 0xFF));
        const __m128i second = PlainDigitLanes(p.stops[k + 1], static_cast<int>(b & 0xFF),
                                               static_cast<int>((b >> 8) & 0xFF));
        __m128d whole;
        if (((a | b) & Pending::kLong) == 0) {
            // Eight digits at most each: both in the upper halves.
            whole = _mm_cvtepi32_pd(PlainEights(_mm_unpackhi_epi64(first, second)));
        } else {
            // Up to 15 digits: high * 10^8 + low in 64 bits, below 2^52, made a double
            // exactly by putting it in the mantissa of 2^52 and taking 2^52 away.
            const __m128i eights =
                _mm_unpacklo_epi32(PlainEights(first), PlainEights(second));  // hA hB lA lB
            const __m128i none = _mm_setzero_si128();
            const __m128i sum = _mm_add_epi64(
                _mm_mul_epu32(_mm_unpacklo_epi32(eights, none), _mm_set1_epi64x(100000000)),
                _mm_unpackhi_epi32(eights, none));
            const __m128d twoTo52 = _mm_set1_pd(4503599627370496.0);
            whole = _mm_sub_pd(_mm_or_pd(_mm_castsi128_pd(sum), twoTo52), twoTo52);
        }
        // Each lane divided by its power of ten, correctly rounded as ReadShortDecimal's
        // one operation, then its sign bit set for a minus.
        const __m128d quotient = _mm_div_pd(
            whole,
            _mm_setr_pd(kExactPowersOfTen[(a >> 16) & 0xFF], kExactPowersOfTen[(b >> 16) & 0xFF]));
        const int minus = static_cast<int>(((a >> 24) & 1) | ((b >> 23) & 2));
        _mm_store_pd(
            p.values + k,
            _mm_xor_pd(quotient, _mm_load_pd(reinterpret_cast<const double*>(kSignBits[minus]))));
    }
    out.insert(out.end(), p.values, p.values + p.count);
    p.count = 0;
}

}  // namespace

std::size_t ValueScanner::AppendPlainValues(std::vector<double>& out, std::size_t count) {
    // A CR before would change how the next line feed counts, and the first value may be
    // preceded by a comma that makes an empty field: both are left to Next.
    if (afterCR_ || !seenValue_)
        return 0;
    // Values are found first and converted afterwards, a few blocks at a time: finding a
    // value's end then waits only for the previous value's end, and the conversions, which
    // depend on nothing but their own bytes, overlap one another.
    Pending pending;
    std::size_t n = 0;
    const char* block = pos_;
    int at = 0;  // the separator after the last value found, from `block`
    long line = line_;
    std::uint64_t lineFeeds = 0;  // of the current block
    while (n < count) {
        // Every value of the block starts more than the longest value before the buffer's
        // end, as in SkipSeparators' own quick step, so none needs the buffer filled.
        if (end_ - block <= static_cast<std::ptrdiff_t>(kMaxTokenLength + 1 + 64)) {
            if (atEnd_)
                break;
            ConvertPending(pending, out);  // before the bytes move
            pos_ = block + at;
            Fill();  // moves pos_ to the buffer's front
            block = pos_;
            at = 0;
            continue;
        }
        const BlockMasks m = Classify(block);
        lineFeeds = m.lineFeeds;
        if ((m.separators & 1) == 0)
            break;
        // What a run never passes: other characters, two separators in a row (the second
        // ends it) and signs not at a value's start. Only a value ending after the first
        // of these is refused.
        const std::uint64_t stopper =
            ~m.allowed | (m.separators & (m.separators >> 1)) | (m.signs & ~(m.separators << 1));
        const int firstStopper = std::countr_zero(stopper);  // 64 for none
        while (n < count) {
            const int start = at + 1;
            const std::uint64_t after = m.separators >> start;
            if (after == 0)
                break;  // ends beyond the block: the next block starts at its separator
            const int stop = start + std::countr_zero(after);
            const int length = stop - start;
            const std::uint64_t stopBit = std::uint64_t{1} << stop;
            const std::uint64_t points = m.points & (stopBit - (std::uint64_t{2} << at));
            if (firstStopper < stop || length > 15 || (points & (points - 1)) != 0)
                goto done;
            const int pointFromStop = stop - std::countr_zero(points | stopBit);
            // The first character is a sign, a point or a digit, and only the signs come
            // before the point.
            const char first = block[start];
            const std::uint32_t shape = kShapes.of[length][pointFromStop][first < '.' ? 1 : 0];
            if (shape == 0)
                goto done;
            pending.stops[pending.count] = block + stop;
            pending.shapes[pending.count] = shape | (first == '-' ? Pending::kMinus : 0);
            ++pending.count;
            ++n;
            at = stop;
            if (at == 63)
                break;
        }
        if (pending.count > Pending::kCapacity - 32)
            ConvertPending(pending, out);
        if (at == 0)
            break;  // a value longer than the block: Next reads it
        // The line feeds among the separators passed.
        line += CountBits(lineFeeds & ((std::uint64_t{1} << at) - 1));
        lineFeeds = 0;
        block += at;
        at = 0;
    }
done:
    line += CountBits(lineFeeds & ((std::uint64_t{1} << at) - 1));
    ConvertPending(pending, out);
    pos_ = block + at;
    line_ = line;
    tokenLine_ = line;
    if (n > 0)
        token_ = {};
    return n;
}

#else

std::size_t ValueScanner::AppendPlainValues(std::vector<double>& out, std::size_t count) {
    if (afterCR_ || !seenValue_)
        return 0;
    std::size_t n = 0;
    for (; n < count; ++n) {
        // The quick step of SkipSeparators, for a blank, a line feed or a comma.
        const char c = *pos_;
        if (pos_ == end_ || (c != ' ' && c != '\n' && c != ',') || IsSeparator(pos_[1]) ||
            static_cast<std::size_t>(end_ - pos_) <= kMaxTokenLength + 1)
            break;
        double value;
        const char* const stop = ReadShortDecimal(pos_ + 1, value);
        if (!stop || !IsSeparator(*stop))
            break;
        line_ += c == '\n' ? 1 : 0;
        tokenLine_ = line_;
        token_ = std::string_view(pos_ + 1, static_cast<std::size_t>(stop - pos_ - 1));
        pos_ = stop;
        out.push_back(value);
    }
    return n;
}

#endif

}  // namespace mnemex
