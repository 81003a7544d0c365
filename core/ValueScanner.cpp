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

// The divisors of the plain values: 10^0 to 10^15, then the same negated. A minus is
// divided in: -(w / p) and w / -p are the same correctly rounded number, -0.0 for w = 0.
constexpr int kNegativePowers = 16;
struct SignedPowers {
    double of[2 * kNegativePowers];
};
constexpr SignedPowers MakeSignedPowers() {
    SignedPowers powers{};
    for (int k = 0; k < kNegativePowers; ++k) {
        powers.of[k] = kExactPowersOfTen[k];
        powers.of[kNegativePowers + k] = -kExactPowersOfTen[k];
    }
    return powers;
}
constexpr SignedPowers kSignedPowersOfTen = MakeSignedPowers();

// The values found and not yet converted: where each stops and its shape.
struct Pending {
    static constexpr int kCapacity = 96;  // flushed above 64, and a block holds at most 32
    // Bits 0-7 the digits, 8-15 the lanes moved to skip the point, 16-23 the divisor
    // (kSignedPowersOfTen), bit 25 more than eight digits.
    static constexpr std::uint32_t kNegative = kNegativePowers << 16;
    static constexpr std::uint32_t kLong = 1u << 25;
    const char* stops[kCapacity + 1];
    std::uint32_t shapes[kCapacity + 1];
    alignas(16) double values[kCapacity + 1];
    int count = 0;
};

// The shape of every plain value of at most 15 characters, by its length and the point's
// distance from its end (0: none), as if it had no sign; a value with one adds its first
// character's entry of kSignShapes (one digit less, and a negative divisor for a minus).
// A value long enough to need two eights of digits without its sign is taken as long with
// it too: the long form gives the same number, only a little slower.
struct Shapes {
    std::uint32_t of[16][16];
};
constexpr Shapes MakeShapes() {
    Shapes shapes{};
    for (int length = 1; length < 16; ++length)
        for (int pointFromStop = 0; pointFromStop < 16; ++pointFromStop) {
            const int point = pointFromStop != 0 ? 1 : 0;
            const int digits = length - point;
            shapes.of[length][pointFromStop] =
                static_cast<std::uint32_t>(digits) |
                static_cast<std::uint32_t>(point != 0 ? 17 - pointFromStop : 0) << 8 |
                static_cast<std::uint32_t>(point != 0 ? pointFromStop - 1 : 0) << 16 |
                (digits > 8 ? Pending::kLong : 0);
        }
    return shapes;
}
constexpr Shapes kShapes = MakeShapes();
struct SignShapes {
    std::uint32_t of[256];
};
constexpr SignShapes MakeSignShapes() {
    SignShapes signs{};
    signs.of[static_cast<unsigned char>('+')] = ~std::uint32_t{0};  // one digit less
    signs.of[static_cast<unsigned char>('-')] = Pending::kNegative - 1;
    return signs;
}
constexpr SignShapes kSignShapes = MakeSignShapes();

// The position of the lowest bit set in `bits`, which is not 0.
int LowestBit(std::uint64_t bits) {
    return __builtin_ctzll(bits);
}

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
        // Each lane divided by its signed power of ten, correctly rounded as
        // ReadShortDecimal's one operation.
        _mm_store_pd(p.values + k,
                     _mm_div_pd(whole, _mm_setr_pd(kSignedPowersOfTen.of[(a >> 16) & 0xFF],
                                                   kSignedPowersOfTen.of[(b >> 16) & 0xFF])));
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
        const std::uint64_t separators = m.separators;
        if ((separators & 1) == 0)
            break;
        // What a run never passes: other characters, two separators in a row (the second
        // ends it), signs not at a value's start, values without a digit (a lone sign or
        // point, or a sign and a point), a second point in a value and a value of more than
        // 15 characters. Only a value ending after the first of these is refused, so the
        // values taken are those ending at or before it, and each needs no check of its own.
        const std::uint64_t starts = separators << 1;
        const std::uint64_t points = m.points;
        // The first point or separator from each value's start on: adding the start's bit
        // to the lanes between carries up to it. Points that are not it are second points.
        const std::uint64_t marks = points | separators;
        const std::uint64_t secondPoints = points & ~((~marks + starts) & marks);
        // Bit i: sixteen characters from i on, none a separator.
        std::uint64_t longRun = ~separators;
        longRun &= longRun >> 1;
        longRun &= longRun >> 2;
        longRun &= longRun >> 4;
        longRun &= longRun >> 8;
        const std::uint64_t stopper =
            ~m.allowed | (separators & (separators >> 1)) | (m.signs & ~starts) |
            ((m.signs | (points & starts)) & (separators >> 1)) |
            (m.signs & (points >> 1) & (separators >> 2)) | secondPoints | longRun;
        const std::uint64_t ends = separators & ~std::uint64_t{1};
        const std::uint64_t reached = stopper == 0 ? ends : ends & ((stopper & -stopper) * 2 - 1);
        std::uint64_t open = reached;
        // Near the count, only as many values as are still wanted.
        bool full = false;
        if (count - n < 32) {
            std::uint64_t kept = 0;
            for (std::size_t k = count - n; k != 0 && open != 0; --k) {
                kept |= open & -open;
                open &= open - 1;
            }
            full = open != 0;
            open = kept;
        }
        // Positions as 64-bit numbers and the count in a register, for the tightest loop.
        std::ptrdiff_t last = at;
        std::uint64_t startBit = std::uint64_t{2} << at;
        int found = pending.count;
        while (open != 0) {
            const std::ptrdiff_t stop = LowestBit(open);
            const std::uint64_t stopBit = open & -open;
            open &= open - 1;
            const std::ptrdiff_t pointFromStop =
                stop - LowestBit((points & (stopBit - startBit)) | stopBit);
            pending.stops[found] = block + stop;
            pending.shapes[found] = kShapes.of[stop - last - 1][pointFromStop] +
                                    kSignShapes.of[static_cast<unsigned char>(block[last + 1])];
            ++found;
            last = stop;
            startBit = stopBit << 1;
        }
        n += static_cast<std::size_t>(found - pending.count);
        pending.count = found;
        at = static_cast<int>(last);
        if (full)
            goto done;
        if (reached != ends)
            goto done;  // the next value is refused
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
