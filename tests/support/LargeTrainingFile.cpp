#include "tests/support/LargeTrainingFile.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace mnemex::testsupport {

namespace {

// A fixed sequence of well-mixed 64-bit numbers (splitmix64).
class Sequence {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

  private:
    std::uint64_t state_ = 20261208;
};

// One value's text, in one of four forms, appended to `out`.
void AppendValue(Sequence& numbers, std::string& out) {
    const std::uint64_t bits = numbers.Next();
    const double unit = static_cast<double>(bits >> 11) * 0x1.0p-53;  // [0, 1)
    const double value = (bits & 1) ? -unit : unit;
    char text[40];
    std::to_chars_result end{};
    switch ((bits >> 1) & 3) {
        case 0:  // shortest round-trip text, up to 17 digits
            end = std::to_chars(text, text + sizeof text, value);
            break;
        case 1:  // four decimals
            end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
            break;
        case 2:  // a whole number
            end = std::to_chars(text, text + sizeof text, static_cast<int>(value * 1000));
            break;
        default:  // an exponent
            end = std::to_chars(text, text + sizeof text, value * 1e-3,
                                std::chars_format::scientific, 6);
            break;
    }
    out.append(text, end.ptr);
}

}  // namespace

long long WriteLargeTrainingFile(const std::filesystem::path& path, int inputs, int outputs,
                                 int patterns, const std::string& lastValue) {
    std::ofstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
    Sequence numbers;
    std::string line = std::to_string(outputs) + ", 0, " + std::to_string(inputs) + ", " +
                       std::to_string(patterns) + "\n";
    const long long total = (static_cast<long long>(inputs) + outputs) * patterns;
    long long written = 0;
    // One line per pattern vector: inputs first, then desired outputs.
    for (int block = 0; block < 2; ++block) {
        const int width = block == 0 ? inputs : outputs;
        for (int p = 0; p < patterns; ++p) {
            for (int k = 0; k < width; ++k) {
                if (k > 0)
                    line += (k % 7 == 0) ? ", " : " ";
                if (++written == total && !lastValue.empty())
                    line += lastValue;
                else
                    AppendValue(numbers, line);
            }
            line += (p % 3 == 0) ? "\r\n" : "\n";
            file << line;
            line.clear();
        }
    }
    file << line;
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
    return static_cast<long long>(std::filesystem::file_size(path));
}

}  // namespace mnemex::testsupport
