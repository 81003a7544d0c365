#include "tests/support/ReferenceTrainingFile.h"

#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/RunTimeError.h"

namespace mnemex::testsupport {

namespace {

// Longest text accepted as one number; longer runs of characters are refused unread.
constexpr std::size_t kMaxTokenLength = 1000;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Values separated by commas and/or white space, read one at a time with the line on
// which each starts, through a buffer so that files of any size stream through.
class ValueScanner {
  public:
    explicit ValueScanner(std::FILE* file) : file_(file) {}

    enum class Status { kValue, kEnd, kEmptyField, kTooLong, kReadError };

    // Reads the next value's text into `token`.
    Status Next(std::string& token) {
        token.clear();
        bool commaSinceValue = false;
        int c;
        // Skip separators; a second comma with nothing between is an empty field.
        for (;;) {
            c = Get();
            if (c == EOF)
                return ferror(file_) ? Status::kReadError : Status::kEnd;
            if (c == ',') {
                if (commaSinceValue || !seenValue_) {
                    tokenLine_ = line_;
                    return Status::kEmptyField;
                }
                commaSinceValue = true;
            } else if (!IsBlank(c)) {
                break;
            }
        }
        tokenLine_ = line_;
        while (c != EOF && c != ',' && !IsBlank(c)) {
            if (token.size() >= kMaxTokenLength)
                return Status::kTooLong;
            token += static_cast<char>(c);
            c = Get();
        }
        if (c == ',')
            Unget(c);  // separators were counted as lines by Get()
        seenValue_ = true;
        return Status::kValue;
    }

    long TokenLine() const { return tokenLine_; }
    // Bytes not yet read: a bound on how many more values the file can hold.
    // Unknown (-1) for streams whose size cannot be told in advance.
    long long RemainingBytes() const {
        return remaining_ < 0 ? 0 : remaining_ + static_cast<long long>(end_ - pos_);
    }
    void SetSize(long long size) { remaining_ = size < 0 ? -1 : size; }

  private:
    static bool IsBlank(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
    }

    int Get() {
        if (pushed_ != EOF) {
            int c = pushed_;
            pushed_ = EOF;
            return c;
        }
        if (pos_ == end_) {
            const std::size_t n = std::fread(buffer_, 1, sizeof buffer_, file_);
            if (n == 0)
                return EOF;
            if (remaining_ >= 0)
                remaining_ = std::max(0LL, remaining_ - static_cast<long long>(n));
            pos_ = buffer_;
            end_ = buffer_ + n;
        }
        const int c = static_cast<unsigned char>(*pos_++);
        if (IsBlank(c))
            CountLine(c);
        return c;
    }
    void Unget(int c) { pushed_ = c; }
    // A line ends with LF, CR LF or a lone CR.
    void CountLine(int c) {
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
    char buffer_[1 << 16];
    char* pos_ = buffer_;
    char* end_ = buffer_;
    int pushed_ = EOF;
    long line_ = 1;
    long tokenLine_ = 1;
    bool afterCR_ = false;
    bool seenValue_ = false;
    long long remaining_ = 0;
};

// Shows a refused value safely inside a message: printable characters only, shortened.
std::string Printable(const std::string& token) {
    std::string out;
    for (unsigned char c : token) {
        if (out.size() >= 24) {
            out += "...";
            break;
        }
        out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    return out;
}

enum class ParseResult { kOk, kNotANumber, kTooLarge };

// A decimal number with optional sign, point and exponent, in the C locale whatever
// the user's settings. Words such as "nan" or "inf" are not numbers here.
ParseResult ParseNumber(const std::string& token, double& value) {
    if (token.empty())
        return ParseResult::kNotANumber;
    std::size_t k = 0;
    if (token[k] == '+' || token[k] == '-')
        ++k;
    bool digits = false;
    while (k < token.size() && token[k] >= '0' && token[k] <= '9')
        ++k, digits = true;
    if (k < token.size() && token[k] == '.') {
        ++k;
        while (k < token.size() && token[k] >= '0' && token[k] <= '9')
            ++k, digits = true;
    }
    if (!digits)
        return ParseResult::kNotANumber;
    if (k < token.size() && (token[k] == 'e' || token[k] == 'E')) {
        ++k;
        if (k < token.size() && (token[k] == '+' || token[k] == '-'))
            ++k;
        bool expDigits = false;
        while (k < token.size() && token[k] >= '0' && token[k] <= '9')
            ++k, expDigits = true;
        if (!expDigits)
            return ParseResult::kNotANumber;
    }
    if (k != token.size())
        return ParseResult::kNotANumber;

    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    errno = 0;
    value = strtod_l(token.c_str(), nullptr, cLocale);
    if (!std::isfinite(value))
        return ParseResult::kTooLarge;
    return ParseResult::kOk;  // values too small to represent become 0 or subnormal, as usual
}

class Reader {
  public:
    Reader(std::FILE* file, std::string name) : scanner_(file), name_(std::move(name)) {}
    void SetSize(long long size) { scanner_.SetSize(size); }

    // Reads value number `index` (from 1) of the file, described as `what` in messages.
    std::optional<TrainingFileError> Read(long long index, const char* what, double& value) {
        const auto status = scanner_.Next(token_);
        const std::string where = " on line " + std::to_string(scanner_.TokenLine());
        switch (status) {
            case ValueScanner::Status::kValue:
                break;
            case ValueScanner::Status::kEnd:
                return Fail(kInputPastEndOfFile, "ends too early: value " + std::to_string(index) +
                                                     " (" + what + ") is missing");
            case ValueScanner::Status::kReadError:
                return Fail(kInputPastEndOfFile, "could not be read to its end (" +
                                                     std::string(std::strerror(errno)) + ")");
            case ValueScanner::Status::kEmptyField:
                return Fail(kTypeMismatch, "has an empty field between two commas" + where +
                                               " where value " + std::to_string(index) + " (" +
                                               what + ") should be");
            case ValueScanner::Status::kTooLong:
                return Fail(kTypeMismatch, "has a value that is too long to be a number" + where +
                                               " (value " + std::to_string(index) + ", " + what +
                                               ")");
        }
        switch (ParseNumber(token_, value)) {
            case ParseResult::kOk:
                return std::nullopt;
            case ParseResult::kNotANumber:
                return Fail(kTypeMismatch, "has \"" + Printable(token_) + "\"" + where +
                                               " where a number should be (value " +
                                               std::to_string(index) + ", " + what + ")");
            case ParseResult::kTooLarge:
                return Fail(kOverflow, "has a number too large to hold" + where + " (value " +
                                           std::to_string(index) + ", " + what + ")");
        }
        return std::nullopt;
    }

    // Reads one of the four counts; `lowest`..`highest` is its allowed range.
    std::optional<TrainingFileError> ReadCount(int index, const char* what, long long lowest,
                                               long long highest, std::int32_t& count) {
        double value = 0;
        if (auto e = Read(index, what, value))
            return e;
        if (value != std::floor(value)) {
            return Fail(kTypeMismatch, "gives " + Printable(token_) + " as the " + what +
                                           " on line " + std::to_string(scanner_.TokenLine()) +
                                           " (value " + std::to_string(index) +
                                           "); it must be a whole number");
        }
        if (value < static_cast<double>(lowest) || value > static_cast<double>(highest)) {
            return Fail(kOverflow, "gives " + Printable(token_) + " as the " + what + " on line " +
                                       std::to_string(scanner_.TokenLine()) + " (value " +
                                       std::to_string(index) + "); it must lie between " +
                                       std::to_string(lowest) + " and " + std::to_string(highest));
        }
        count = static_cast<std::int32_t>(value);
        return std::nullopt;
    }

    // Reads count x 1 values into `out`, numbered from `firstIndex`.
    std::optional<TrainingFileError> ReadBlock(long long count, long long firstIndex,
                                               const char* what, std::vector<double>& out) {
        // The file cannot hold more values than about half its remaining bytes, so a
        // short file with huge counts never makes us reserve memory it cannot back.
        const long long bound = std::max(0LL, scanner_.RemainingBytes() / 2 + 1);
        out.reserve(static_cast<std::size_t>(std::min(count, bound)));
        for (long long k = 0; k < count; ++k) {
            double value = 0;
            if (auto e = Read(firstIndex + k, what, value))
                return e;
            out.push_back(value);
        }
        return std::nullopt;
    }

    TrainingFileError Fail(int number, const std::string& what) const {
        return TrainingFileError{number, "The training file \"" + name_ + "\" " + what + "."};
    }

  private:
    ValueScanner scanner_;
    std::string name_;
    std::string token_;
};

}  // namespace

std::optional<TrainingFileError> ReferenceReadTrainingFile(PublicStuff& state,
                                                           const std::string& path) {
    namespace fs = std::filesystem;
    const std::string name = fs::path(path).filename().string();
    auto cannotOpen = [&](const std::string& why) {
        return TrainingFileError{
            kFileNotFound, "The training file \"" + name + "\" cannot be opened: " + why + "."};
    };
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return cannotOpen("it is a folder, not a file");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return cannotOpen(std::strerror(errno));
    const auto size = fs::file_size(path, ec);
    return ReferenceReadTrainingStream(state, file.get(), name,
                                       ec ? -1 : static_cast<long long>(size));
}

std::optional<TrainingFileError> ReferenceReadTrainingStream(PublicStuff& state, std::FILE* file,
                                                             const std::string& name,
                                                             long long size) {
    Reader reader(file, name);
    reader.SetSize(size);

    std::int32_t outputs = 0, spare = 0, inputs = 0, patterns = 0;
    if (auto e = reader.ReadCount(1, "number of output units", 0, kMaxCount, outputs))
        return e;
    if (auto e = reader.ReadCount(2, "second count", INT32_MIN, INT32_MAX, spare))
        return e;
    if (auto e = reader.ReadCount(3, "number of input units", 0, kMaxCount, inputs))
        return e;
    if (auto e = reader.ReadCount(4, "number of patterns", 0, kMaxCount, patterns))
        return e;

    const long long inputCount = static_cast<long long>(inputs) * patterns;
    const long long outputCount = static_cast<long long>(outputs) * patterns;
    std::vector<double> inputValues, outputValues;
    try {
        if (auto e = reader.ReadBlock(inputCount, 5, "an input value", inputValues))
            return e;
        if (auto e = reader.ReadBlock(outputCount, 5 + inputCount, "a desired output value",
                                      outputValues))
            return e;
    } catch (const std::bad_alloc&) {
        return reader.Fail(kOutOfMemory, "is too large to load into memory");
    }

    // Only now, with every value read, does the store change.
    state.NumOutputs = outputs;
    state.SpareCount = spare;
    state.NumInputs = inputs;
    state.NumPatterns = patterns;
    state.InputPatterns.Adopt(inputs, patterns, std::move(inputValues));
    state.DesiredOutputs.Adopt(outputs, patterns, std::move(outputValues));
    return std::nullopt;
}

}  // namespace mnemex::testsupport
