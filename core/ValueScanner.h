#pragma once
// The numbers of a training file, one at a time, scanned and converted in place in a fixed
// buffer, so that files of any size stream through in constant memory and no value is
// copied before it is converted.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "core/DecimalText.h"

namespace mnemex {

// Values are separated by commas and/or white space. Each value's text stays available as a
// view into the buffer, with the line on which it starts, until the next value is read.
class ValueScanner {
  public:
    // Longest text accepted as one number; longer runs of characters are refused unread.
    static constexpr std::size_t kMaxTokenLength = 1000;
    static constexpr std::size_t kDefaultBufferBytes = std::size_t{1} << 16;

    // `size` is the stream's length in bytes, or -1 when unknown. `bufferBytes` is raised to
    // what a value of the longest accepted length needs.
    ValueScanner(std::FILE* file, long long size, std::size_t bufferBytes = kDefaultBufferBytes);

    enum class Status { kNumber, kNotANumber, kTooLarge, kEnd, kEmptyField, kTooLong, kReadError };

    // Reads the next value into `value` (kNumber). On kNumber, kNotANumber and kTooLarge its
    // text is Token().
    Status Next(double& value) {
        if (!SkipSeparators())
            return separatorStatus_;
        const char* const start = pos_;
        // The common short forms end at a separator (the buffer always holds one after its
        // last byte), converted in the same pass that finds their end.
#if defined(MNEMEX_PLAIN_DECIMAL_SIMD)
        if (const char* stop = ReadPlainDecimal(start, value); stop && IsSeparator(*stop))
            return Found(start, stop);
#endif
        if (const char* stop = ReadShortDecimal(start, value); stop && IsSeparator(*stop))
            return Found(start, stop);
        return NextLongForm(value);
    }

    // Appends up to `count` values to `out` as long as each is a plain number (sign, digits,
    // at most one point; on x86-64 at most 15 characters) after a single blank, line feed or
    // comma, and starts more than the longest value before the end of what has been read;
    // returns how many. Stops before the first value that is not (Next then reads it, as if
    // Next had read all before it; only Token() is then empty). On x86-64 it finds the
    // separators of 64 bytes at a time and converts two values at once.
    std::size_t AppendPlainValues(std::vector<double>& out, std::size_t count);

    std::string_view Token() const {
        return token_;
    }
    long TokenLine() const {
        return tokenLine_;
    }
    // Bytes not yet scanned: a bound on how many more values the stream can hold (0 when
    // its size is unknown).
    long long RemainingBytes() const;
    // Bytes of the stream read and scanned past so far.
    long long ScannedBytes() const {
        return readBytes_ - static_cast<long long>(end_ - pos_);
    }

  private:
    static bool IsBlank(char c) {
        return c == ' ' || static_cast<unsigned char>(c - '\t') <= '\r' - '\t';
    }
    static bool IsSeparator(char c) {
        return c == ',' || IsBlank(c);
    }

    Status Found(const char* start, const char* stop) {
        token_ = std::string_view(start, static_cast<std::size_t>(stop - start));
        pos_ = stop;
        return Status::kNumber;
    }

    // Moves to the start of the next value, with the whole value in the buffer (or as much
    // as is needed to see that it is too long). False at the end, an error or an empty
    // field, with the status in separatorStatus_.
    bool SkipSeparators() {
        if (pos_ != end_ && *pos_ == ' ' && pos_ + 1 != end_ && !IsSeparator(pos_[1]) &&
            static_cast<std::size_t>(end_ - pos_) > kMaxTokenLength + 1) {
            ++pos_;  // the usual single blank between two values on a line
            tokenLine_ = line_;
            afterCR_ = false;
            return true;
        }
        return SkipSeparatorsSlowly();
    }
    bool SkipSeparatorsSlowly();
    // Any value that is not one of the short forms: found whole, then converted.
    Status NextLongForm(double& value);
    // Keeps the unscanned bytes, moved to the front, and reads more behind them.
    // False when nothing more could be read.
    bool Fill();
    // A line ends with LF, CR LF or a lone CR; only blanks clear the memory of a CR.
    void CountLine(char c) {
        if (c == '\n') {
            if (!afterCR_)
                ++line_;
            afterCR_ = false;
        } else if (c == '\r') {
            ++line_;
            afterCR_ = true;
        } else {
            afterCR_ = false;
        }
    }

    std::FILE* file_;
    std::size_t capacity_;
    // kFront bytes, capacity_ bytes for the file, then kPadding: blanks after the last byte
    // read, so that a number always ends within the buffer and the number readers may load
    // 16 bytes from any character of it and 15 before it. Nothing else is ever read, so the
    // rest is left as it was allocated.
    static constexpr std::size_t kFront = 16;
    static constexpr std::size_t kPadding = 16;
    std::unique_ptr<char[]> storage_;
    char* buffer_;
    const char* pos_;
    char* end_;
    std::string_view token_;
    long line_ = 1;
    long tokenLine_ = 1;
    bool afterCR_ = false;
    bool seenValue_ = false;
    bool atEnd_ = false;
    bool readError_ = false;
    Status separatorStatus_ = Status::kEnd;
    long long remaining_;
    long long readBytes_ = 0;
};

}  // namespace mnemex
