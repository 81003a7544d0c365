#include "core/TrainingFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "core/HugePages.h"
#include "core/RunTimeError.h"
#include "core/ValueScanner.h"

namespace mnemex {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Shows a refused value safely inside a message: printable characters only, shortened.
std::string Printable(std::string_view token) {
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

class Reader {
  public:
    Reader(std::FILE* file, std::string name, long long size, std::size_t bufferBytes,
           const ReadProgress& progress)
        : scanner_(file, size, bufferBytes),
          name_(std::move(name)),
          size_(size),
          progress_(progress) {}

    // Reads value number `index` (from 1) of the file, described as `what` in messages.
    std::optional<TrainingFileError> Read(long long index, const char* what, double& value) {
        const auto status = scanner_.Next(value);
        if (status == ValueScanner::Status::kNumber)
            return std::nullopt;
        return Refusal(status, index, what);
    }

    // Why value `index` could not be read.
    TrainingFileError Refusal(ValueScanner::Status status, long long index, const char* what) {
        const std::string number = std::to_string(index);
        switch (status) {
            case ValueScanner::Status::kEnd:
                return Fail(kInputPastEndOfFile,
                            "ends too early: value " + number + " (" + what + ") is missing");
            case ValueScanner::Status::kReadError:
                return Fail(kInputPastEndOfFile, "could not be read to its end (" +
                                                     std::string(std::strerror(errno)) + ")");
            case ValueScanner::Status::kEmptyField:
                return Fail(kTypeMismatch, "has an empty field between two commas" + Where() +
                                               " where value " + number + " (" + what +
                                               ") should be");
            case ValueScanner::Status::kTooLong:
                return Fail(kTypeMismatch, "has a value that is too long to be a number" + Where() +
                                               " (value " + number + ", " + what + ")");
            case ValueScanner::Status::kTooLarge:
                return Fail(kOverflow, "has a number too large to hold" + Where() + " (value " +
                                           number + ", " + what + ")");
            case ValueScanner::Status::kNotANumber:
            case ValueScanner::Status::kNumber:
                break;
        }
        return Fail(kTypeMismatch, "has \"" + Printable(scanner_.Token()) + "\"" + Where() +
                                       " where a number should be (value " + number + ", " + what +
                                       ")");
    }

    std::string Where() const { return " on line " + std::to_string(scanner_.TokenLine()); }

    // Reads one of the four counts; `lowest`..`highest` is its allowed range.
    std::optional<TrainingFileError> ReadCount(int index, const char* what, long long lowest,
                                               long long highest, std::int32_t& count) {
        double value = 0;
        if (auto e = Read(index, what, value))
            return e;
        if (value != std::floor(value)) {
            return Fail(kTypeMismatch, "gives " + Printable(scanner_.Token()) + " as the " + what +
                                           " on line " + std::to_string(scanner_.TokenLine()) +
                                           " (value " + std::to_string(index) +
                                           "); it must be a whole number");
        }
        if (value < static_cast<double>(lowest) || value > static_cast<double>(highest)) {
            return Fail(kOverflow, "gives " + Printable(scanner_.Token()) + " as the " + what +
                                       " on line " + std::to_string(scanner_.TokenLine()) +
                                       " (value " + std::to_string(index) +
                                       "); it must lie between " + std::to_string(lowest) +
                                       " and " + std::to_string(highest));
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
        // A file that can hold all its values fills the store whole: its pages are taken at
        // once. Otherwise the file is short, and only what it holds is ever touched.
        if (count <= bound)
            PrepareToFill(out.data(), out.capacity() * sizeof(double));
        else
            AdviseHugePages(out.data(), out.capacity() * sizeof(double));
        // The inner loop stays as tight as without a callback: the callback is asked only
        // between runs of values.
        for (long long k = 0; k < count;) {
            const long long runEnd = std::min(count, k + kValuesPerProgressCall);
            while (k < runEnd) {
                k += static_cast<long long>(
                    scanner_.AppendPlainValues(out, static_cast<std::size_t>(runEnd - k)));
                if (k == runEnd)
                    break;
                // A value of another form, after other separators, near the end of the
                // buffer, or one that is refused.
                double value = 0;
                if (auto e = Read(firstIndex + k, what, value))
                    return e;
                out.push_back(value);
                ++k;
            }
            if (auto e = Report(scanner_.ScannedBytes()))
                return e;
        }
        return std::nullopt;
    }

    // Tells the callback (if any) how far the read has come; a refusal if it says stop.
    std::optional<TrainingFileError> Report(long long bytesRead) const {
        if (!progress_ || progress_(bytesRead, size_))
            return std::nullopt;
        return Fail(kUserInterrupt, "was not read to its end: reading was stopped");
    }
    // The first report, with the counts read.
    std::optional<TrainingFileError> ReportCounts() const {
        return Report(scanner_.ScannedBytes());
    }
    // The last report, with every value read.
    std::optional<TrainingFileError> ReportDone() const {
        return Report(size_ >= 0 ? size_ : scanner_.ScannedBytes());
    }

    TrainingFileError Fail(int number, const std::string& what) const {
        return TrainingFileError{number, "The training file \"" + name_ + "\" " + what + "."};
    }

  private:
    ValueScanner scanner_;
    std::string name_;
    long long size_;
    const ReadProgress& progress_;
};

}  // namespace

std::optional<TrainingFileError> ReadTrainingFile(PublicStuff& state, const std::string& path,
                                                  const ReadProgress& progress) {
    namespace fs = std::filesystem;
    const std::string name = fs::path(path).filename().string();
    auto cannotOpen = [&](const std::string& why) {
        return TrainingFileError{
            kFileNotFound, "The training file \"" + name + "\" cannot be opened: " + why + "."};
    };
    // One open and one status of the open file: a small file's read is mostly these.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int why = errno;
        std::error_code ec;
        if (fs::is_directory(path, ec))
            return cannotOpen("it is a folder, not a file");
        return cannotOpen(std::strerror(why));
    }
    struct stat status {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode))
        return cannotOpen("it is a folder, not a file");
    // The scanner reads in blocks of its own: the stream's buffer would be one copy more.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    const long long size = S_ISREG(status.st_mode) ? static_cast<long long>(status.st_size) : -1;
    return ReadTrainingStream(state, file.get(), name, size, ValueScanner::kDefaultBufferBytes,
                              progress);
}

std::optional<TrainingFileError> ReadTrainingStream(PublicStuff& state, std::FILE* file,
                                                    const std::string& name, long long size,
                                                    std::size_t bufferBytes,
                                                    const ReadProgress& progress) {
    Reader reader(file, name, size, bufferBytes, progress);

    std::int32_t outputs = 0, spare = 0, inputs = 0, patterns = 0;
    if (auto e = reader.ReadCount(1, "number of output units", 0, kMaxCount, outputs))
        return e;
    if (auto e = reader.ReadCount(2, "second count", INT32_MIN, INT32_MAX, spare))
        return e;
    if (auto e = reader.ReadCount(3, "number of input units", 0, kMaxCount, inputs))
        return e;
    if (auto e = reader.ReadCount(4, "number of patterns", 0, kMaxCount, patterns))
        return e;
    if (auto e = reader.ReportCounts())
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
    if (auto e = reader.ReportDone())
        return e;

    // Only now, with every value read, does the store change.
    state.NumOutputs = outputs;
    state.SpareCount = spare;
    state.NumInputs = inputs;
    state.NumPatterns = patterns;
    state.InputPatterns.Adopt(inputs, patterns, std::move(inputValues));
    state.DesiredOutputs.Adopt(outputs, patterns, std::move(outputValues));
    return std::nullopt;
}

}  // namespace mnemex
