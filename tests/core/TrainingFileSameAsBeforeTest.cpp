// The training-file reader against the reader it replaced (one string per value, strtod_l):
// for every file, the same values bit for bit or the same refusal with the same message,
// whatever the size of the read buffer that cuts the file into pieces.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "RefusedTrainingFiles.h"
#include "core/TrainingFile.h"
#include "tests/support/ReferenceTrainingFile.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

// What a reader leaves behind: the refusal, or the counts and the bits of every value.
struct Outcome {
    bool refused = false;
    int number = 0;
    std::string message;
    std::int32_t counts[4] = {};
    std::vector<std::uint64_t> inputs, desired;

    bool operator==(const Outcome&) const = default;
};

std::vector<std::uint64_t> Bits(const std::vector<double>& values) {
    std::vector<std::uint64_t> bits(values.size());
    if (!values.empty())
        std::memcpy(bits.data(), values.data(), values.size() * sizeof(double));
    return bits;
}

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    if (o.refused)
        return os << "refused (" << o.number << "): " << o.message;
    os << "loaded " << o.counts[0] << " " << o.counts[1] << " " << o.counts[2] << " " << o.counts[3]
       << ", " << o.inputs.size() << " + " << o.desired.size() << " values";
    if (!o.inputs.empty())
        os << ", the first 0x" << std::hex << o.inputs[0] << std::dec;
    return os;
}

// A file already loaded, which a refused file must leave in place.
PublicStuff Preloaded() {
    PublicStuff state;
    state.NumOutputs = 1;
    state.NumInputs = 1;
    state.NumPatterns = 1;
    state.InputPatterns.Adopt(1, 1, {0.5});
    state.DesiredOutputs.Adopt(1, 1, {-0.5});
    return state;
}

Outcome OutcomeOf(const PublicStuff& state, const std::optional<TrainingFileError>& error) {
    Outcome o;
    if (error) {
        o.refused = true;
        o.number = error->Number;
        o.message = error->Message;
    }
    o.counts[0] = state.NumOutputs;
    o.counts[1] = state.SpareCount;
    o.counts[2] = state.NumInputs;
    o.counts[3] = state.NumPatterns;
    o.inputs = Bits(state.InputPatterns.Storage());
    o.desired = Bits(state.DesiredOutputs.Storage());
    return o;
}

constexpr std::size_t kDefaultBuffer = 0;  // the reader's own choice

// Reads `bytes` from memory, with the program's reader (through a buffer of `bufferBytes`)
// or with the old one (bufferBytes ignored).
Outcome ReadWith(bool reference, const std::string& bytes, std::size_t bufferBytes) {
    PublicStuff state = Preloaded();
    std::FILE* file = bytes.empty()
                          ? std::fopen(testsupport::WriteScratchFile("empty.net", "").c_str(), "rb")
                          : fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "r");
    EXPECT_NE(file, nullptr);
    if (!file)
        return {};
    const auto size = static_cast<long long>(bytes.size());
    std::optional<TrainingFileError> error;
    if (reference)
        error = testsupport::ReferenceReadTrainingStream(state, file, "same.net", size);
    else if (bufferBytes == kDefaultBuffer)
        error = ReadTrainingStream(state, file, "same.net", size);
    else
        error = ReadTrainingStream(state, file, "same.net", size, bufferBytes);
    std::fclose(file);
    return OutcomeOf(state, error);
}

// The smallest buffer the reader allows (two of the longest values), sizes that put the
// cuts at other places, and the reader's own.
const std::size_t kBufferSizes[] = {2002, 2003, 2039, 4096, kDefaultBuffer};

// True when both readers agree on `bytes` for every buffer size; reports the first
// difference under `label`.
bool SameAsBefore(const std::string& bytes, const std::string& label) {
    const Outcome expected = ReadWith(true, bytes, 0);
    for (std::size_t buffer : kBufferSizes) {
        const Outcome got = ReadWith(false, bytes, buffer);
        if (!(got == expected)) {
            ADD_FAILURE() << label << " (buffer " << buffer << "): reader gives " << got
                          << "; before: " << expected;
            return false;
        }
    }
    return true;
}

TEST(ReaderSameAsBefore, OnEveryFileOfTheFuzzingCorpus) {
    int files = 0, loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MNEMEX_FUZZ_CORPUS_DIR)) {
        const std::string path = entry.path().string();
        ++files;
        if (!SameAsBefore(testsupport::ReadBytes(path), entry.path().filename().string()))
            continue;
        // And through the path, as the pages and the batch command read files.
        PublicStuff a = Preloaded(), b = Preloaded();
        const auto got = OutcomeOf(a, ReadTrainingFile(a, path));
        const auto expected = OutcomeOf(b, testsupport::ReferenceReadTrainingFile(b, path));
        EXPECT_EQ(got, expected) << path;
        loaded += got.refused ? 0 : 1;
    }
    EXPECT_GT(files, 100);
    EXPECT_GT(loaded, 10);  // the corpus holds files that load as well as refused ones
}

TEST(ReaderSameAsBefore, OnEveryRefusedFile) {
    for (const auto& bad : testing::RefusedTrainingFiles()) {
        SameAsBefore(bad.text, bad.name);
        const Outcome got = ReadWith(false, bad.text, kDefaultBuffer);
        EXPECT_TRUE(got.refused) << bad.name;
        EXPECT_EQ(got.number, bad.number) << bad.name;
    }
}

TEST(ReaderSameAsBefore, OnAFolderOpenedAsAStream) {
    // The stream opens but cannot be read: "could not be read to its end (...)".
    const auto folder = testsupport::TestScratchFolder().string();
    Outcome results[2];
    for (bool reference : {false, true}) {
        PublicStuff state = Preloaded();
        std::FILE* file = std::fopen(folder.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        const auto error = reference
                               ? testsupport::ReferenceReadTrainingStream(state, file, "d.net", -1)
                               : ReadTrainingStream(state, file, "d.net", -1);
        std::fclose(file);
        results[reference] = OutcomeOf(state, error);
    }
    EXPECT_TRUE(results[0].refused);
    EXPECT_EQ(results[0], results[1]);
}

// Number texts in many forms: signs, leading zeros, points, exponents near every limit of
// the quick conversion and of the double format.
std::vector<std::string> NumberForms() {
    std::vector<std::string> forms;
    const char* mantissas[] = {"0",
                               "00",
                               "1",
                               "7.",
                               ".5",
                               "0.5",
                               "000123.4560",
                               "9007199254740992",
                               "9007199254740993",
                               "9007199254740995",
                               "1234567890123456789",
                               "12345678901234567890",
                               "0.1234567890123456789",
                               "0.0000000000000000001",
                               "18446744073709551615",
                               "18446744073709551617",
                               "3.14159265358979323846264338327950288"};
    const char* exponents[] = {"",
                               "e0",
                               "E+5",
                               "e-5",
                               "e22",
                               "e-22",
                               "e23",
                               "e-23",
                               "e307",
                               "e308",
                               "e309",
                               "e-307",
                               "e-308",
                               "e-320",
                               "e-324",
                               "e-330",
                               "e-400",
                               "e400",
                               "e0009",
                               "e00000000000000000010",
                               "e99999999999999999999",
                               "e-99999",
                               "e",
                               "e+",
                               "E-",
                               "e+-1",
                               "e1.5"};
    for (const char* sign : {"", "+", "-"})
        for (const char* m : mantissas)
            for (const char* e : exponents)
                forms.push_back(std::string(sign) + m + e);
    // Around the smallest and largest doubles, and halfway points between neighbours.
    for (const char* edge :
         {"4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
          "2.2250738585072011e-308", "2.2250738585072014e-308", "1.7976931348623157e308",
          "1.7976931348623158e308", "1.7976931348623159e308",
          "1.797693134862315807937289714053e308",
          "179769313486231580793728971405303415079934"
          "13271003782693617377898044496829276475094"
          "66",
          "9007199254740993.000000000000000000000000000000000000001", "0.1e-99999999", "-0",
          "-0.0e5", "+.0", "1e-22", "1e22", "4.35", "8.05"})
        forms.push_back(edge);
    // Mantissas near the longest accepted value, cut or not.
    for (std::size_t length : {19u, 20u, 400u, 998u, 999u, 1000u, 1001u}) {
        forms.push_back(std::string(length, '9'));
        forms.push_back("0." + std::string(length - 2, '0'));
        forms.push_back("1." + std::string(length - 3, '0') + "1");
        forms.push_back("2.4703282292062327" + std::string(length > 18 ? length - 18 : 0, '9') +
                        "e-324");
    }
    // Random doubles written with 17 significant digits, shortest, and one digit off.
    std::mt19937_64 random(20261208);
    char text[64];
    for (int k = 0; k < 3000; ++k) {
        double value;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            continue;
        if (k % 3 == 1)
            value = std::ldexp(value, -std::ilogb(value) + static_cast<int>(random() % 100) - 50);
        std::snprintf(text, sizeof text, "%.17g", value);
        forms.push_back(text);
        auto end = std::to_chars(text, text + sizeof text, value).ptr;
        forms.emplace_back(text, end);
        std::snprintf(text, sizeof text, "%.16e", value);
        text[1] = text[1] == '9' ? '0' : static_cast<char>(text[1] + 1);
        forms.push_back(text);
    }
    // Texts that are not numbers.
    for (const char* word :
         {"inf", "-inf",  "nan",   "NaN",  "infinity", "0x1p3", "0x10", "1e",  ".",
          "+",   "-",     "+-1",   "--1",  "1..2",     "1e5.5", "e5",   ".e5", "1f",
          "1d5", "1_000", "1e+5e", "0.5.", "\x80",     "\x7f",  "5\x01"})
        forms.push_back(word);
    return forms;
}

TEST(ReaderSameAsBefore, OnNumberFormsAsAValueAndAsACount) {
    int failures = 0;
    for (const std::string& form : NumberForms()) {
        failures += !SameAsBefore("1 0 1 1 " + form + "\n2", "value " + form);
        failures += !SameAsBefore(form + ",0,1,1,2,3", "count " + form);
        if (failures > 10)
            FAIL() << "stopped after ten differences";
    }
}

TEST(ReaderSameAsBefore, ExactValuesForTheEdgeForms) {
    // Checked against their mathematical values, not against either reader.
    struct Form {
        const char* text;
        double value;
    };
    const Form forms[] = {{"+2.5E1", 25.0},
                          {"-.5", -0.5},
                          {"7.", 7.0},
                          {"0000.1250e+1", 1.25},
                          {"9007199254740993", 9007199254740992.0},
                          {"9007199254740993.0000000000000000000000001", 9007199254740994.0},
                          {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
                          {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
                          {"1.7976931348623158e308", std::numeric_limits<double>::max()}};
    for (const Form& form : forms) {
        PublicStuff state;
        const std::string path =
            testsupport::WriteScratchFile("edge.net", std::string("1 0 1 1 ") + form.text + " 0");
        ASSERT_FALSE(ReadTrainingFile(state, path)) << form.text;
        EXPECT_EQ(state.InputPatterns(1, 1), form.value) << form.text;
    }
    // Too small to represent: a zero that keeps its sign, as the C library gives it.
    for (const char* tiny : {"1e-400", "-1e-400", "-2.4703282292062327e-324"}) {
        PublicStuff state;
        const std::string path =
            testsupport::WriteScratchFile("tiny.net", std::string("1 0 1 1 ") + tiny + " 0");
        ASSERT_FALSE(ReadTrainingFile(state, path)) << tiny;
        EXPECT_EQ(state.InputPatterns(1, 1), 0.0) << tiny;
        EXPECT_EQ(std::signbit(state.InputPatterns(1, 1)), tiny[0] == '-') << tiny;
    }
}

// Separators of every kind, including lone CRs, CR LF pairs and commas, between values.
std::string RandomSeparator(std::mt19937& random) {
    static const char* const kinds[] = {" ",   " ",  "\n", "\r\n",   "\r",   "\t",   ",",
                                        " , ", "\f", "\v", "\r\r\n", "\n\r", ",\r\n"};
    return kinds[random() % (sizeof kinds / sizeof kinds[0])];
}

// A long file of every accepted form with random separators, so that the buffer's edges
// fall inside numbers, inside CR LF pairs and between a number and its separator; then the
// same file with one value spoiled at a random place, so the refusals' line numbers must
// agree too.
TEST(ReaderSameAsBefore, OnLongFilesCutAnywhereByTheBuffer) {
    std::vector<std::string> accepted;
    for (const std::string& form : NumberForms())
        if (!ReadWith(true, "1 0 1 1 " + form + " 0", 0).refused)
            accepted.push_back(form);
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        std::shuffle(accepted.begin(), accepted.end(), random);
        const std::size_t patterns = accepted.size() / 2 - round;
        std::string file = "1" + RandomSeparator(random) + "0 1 " + std::to_string(patterns);
        for (std::size_t k = 0; k < 2 * patterns; ++k)
            file += RandomSeparator(random) + accepted[k];
        ASSERT_FALSE(ReadWith(true, file, 0).refused);
        SameAsBefore(file, "round " + std::to_string(round));

        std::string spoiled = file;
        const std::size_t at = spoiled.size() / 4 + random() % (spoiled.size() / 2);
        spoiled.insert(at, round % 2 ? "x" : ",,");
        SameAsBefore(spoiled, "spoiled round " + std::to_string(round));
    }
}

// Plain values (sign, digits, at most one point) of every length up to the longest read
// many at a time and beyond, mostly between single blanks, line feeds and commas, and now
// and then a form or separator that ends such a run: every value's end falls at every
// place of the blocks the reader looks at, at every place of the buffer, and at its end.
TEST(ReaderSameAsBefore, OnLongFilesOfPlainValues) {
    std::mt19937 random(11);
    const auto digits = [&random](int count) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    static const char* const kRare[] = {"\t", "\r\n", "\r", "  ", " ,", "\n\n"};
    for (int round = 0; round < 6; ++round) {
        const std::size_t patterns = 3000 + 7 * round;
        std::string file = "1 0 1 " + std::to_string(patterns) + "\n";
        for (std::size_t k = 0; k < 2 * patterns; ++k) {
            std::string value = (random() % 3 == 0 ? "-" : random() % 5 == 0 ? "+" : "");
            const int length = 1 + static_cast<int>(random() % 16);
            const int point = static_cast<int>(random() % (length + 2)) - 1;  // -1: none
            if (point < 0 || point > length)
                value += digits(length);
            else
                value += digits(point) + "." + digits(length - point);
            if (value == "." || value == "-." || value == "+.")
                value += "5";
            if (random() % 50 == 0)
                value += "e-3";
            file += value;
            const unsigned kind = random() % 100;
            file += kind < 2 ? kRare[random() % 6] : kind < 40 ? " " : kind < 70 ? "\n" : ",";
        }
        ASSERT_FALSE(ReadWith(true, file, 0).refused) << round;
        SameAsBefore(file, "plain round " + std::to_string(round));

        std::string spoiled = file;
        const std::size_t at = spoiled.size() / 2 + random() % (spoiled.size() / 3);
        spoiled.insert(at, round % 3 == 0 ? "x" : round % 3 == 1 ? "." : "-");
        SameAsBefore(spoiled, "spoiled plain round " + std::to_string(round));
    }
}

// Each form that may end a run of plain values, or be taken into one, at every place of the
// 64-byte blocks the reader looks at: the checks a run makes on whole blocks (signs, points,
// digits, lengths) must stop exactly where the value-by-value reader would.
TEST(ReaderSameAsBefore, OnFormsEndingARunAtEveryPlaceOfABlock) {
    static const char* const kForms[] = {
        // refused
        "-", "+", ".", "-.", "+.", "1.2.3", "1..2", ".5.", "-1-2", "1-", "--1", "+-1", "x",
        // accepted, in a run or alone
        "-.5", "+.5", ".5", "5.", "-5.", "1e5", "123456789012345", "-12345678901234",
        "1234567.1234567", "-.12345678901234",
        // accepted, too long for a run
        "1234567890123456", "-123456789012345", "1234567890.12345", "-12345678.123456"};
    for (const char* form : kForms) {
        for (int place = 0; place < 128; ++place) {
            // `place` bytes of plain values before the form, then enough after it that the
            // run reaches it, all in one input and one desired value per pattern.
            std::string values;
            int count = 0;
            if (place % 2 == 1) {
                if (place < 3)
                    continue;  // no value and separator fit in one byte
                values += "12 ";
                ++count;
            }
            for (; values.size() < static_cast<std::size_t>(place); ++count)
                values += "7 ";
            values += std::string(form) + "\n";
            ++count;
            for (; count < 700 || count % 2 != 0; ++count)
                values += count % 5 == 0 ? "-0.5\n" : "3 ";
            const std::string file = "1 0 1 " + std::to_string(count / 2) + "\n" + values;
            if (!SameAsBefore(file, std::string(form) + " at " + std::to_string(place)))
                break;
        }
    }
}

}  // namespace
}  // namespace mnemex
