#include "core/ValueScanner.h"

#include <algorithm>
#include <cstring>

namespace mnemex {

ValueScanner::ValueScanner(std::FILE* file, long long size, std::size_t bufferBytes)
    : file_(file),
      capacity_(std::max(bufferBytes, 2 * (kMaxTokenLength + 1))),
      buffer_(new char[capacity_ + kPadding]()),
      pos_(buffer_.get()),
      end_(buffer_.get()),
      remaining_(size < 0 ? -1 : size) {
    *end_ = ' ';
}

long long ValueScanner::RemainingBytes() const {
    return remaining_ < 0 ? 0 : remaining_ + static_cast<long long>(end_ - pos_);
}

bool ValueScanner::Fill() {
    if (atEnd_)
        return false;
    const std::size_t kept = static_cast<std::size_t>(end_ - pos_);
    char* const start = buffer_.get();
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
    *end_ = ' ';
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

}  // namespace mnemex
