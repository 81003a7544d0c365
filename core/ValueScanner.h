#pragma once
// The values of a training file, one at a time, scanned in place in a fixed buffer so that
// files of any size stream through in constant memory.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace mnemex {

// Values are separated by commas and/or white space; each value's text is handed out as a
// view into the buffer together with the line on which it starts.
class ValueScanner {
  public:
    // Longest text accepted as one number; longer runs of characters are refused unread.
    static constexpr std::size_t kMaxTokenLength = 1000;
    static constexpr std::size_t kDefaultBufferBytes = std::size_t{1} << 16;

    // `size` is the stream's length in bytes, or -1 when unknown. `bufferBytes` is raised to
    // what a value of the longest accepted length needs.
    ValueScanner(std::FILE* file, long long size, std::size_t bufferBytes = kDefaultBufferBytes);

    enum class Status { kValue, kEnd, kEmptyField, kTooLong, kReadError };

    // Moves to the next value. On kValue its text is Token(), valid until the next call.
    Status Next();

    std::string_view Token() const { return token_; }
    long TokenLine() const { return tokenLine_; }
    // Bytes not yet scanned: a bound on how many more values the stream can hold (0 when
    // its size is unknown).
    long long RemainingBytes() const;

  private:
    static bool IsBlank(char c) {
        return c == ' ' || static_cast<unsigned char>(c - '\t') <= '\r' - '\t';
    }
    static bool IsSeparator(char c) { return c == ',' || IsBlank(c); }

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
    std::unique_ptr<char[]> buffer_;
    const char* pos_;
    const char* end_;
    std::string_view token_;
    long line_ = 1;
    long tokenLine_ = 1;
    bool afterCR_ = false;
    bool seenValue_ = false;
    bool atEnd_ = false;
    bool readError_ = false;
    long long remaining_;
};

}  // namespace mnemex
