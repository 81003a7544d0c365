// The 16-byte number reader against the portable one it stands in for: the same stop and
// the same bits, with every number placed so that the loads reach the very first and last
// byte the buffer promises (16 from the number's start, 15 before it).

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "core/DecimalText.h"

namespace mnemex {
namespace {

#if defined(MNEMEX_PLAIN_DECIMAL_SIMD)

struct PlainCase {
    const char* text;  // the bytes from the number's start, up to 16
    int stop;          // where ReadPlainDecimal stops, -1 for not at all
};

// The number's start at byte 15 of a block of exactly 31 bytes on the heap, so that a read
// outside shows under the address sanitizer.
struct Placed {
    explicit Placed(const std::string& text) : bytes(new char[31]) {
        std::memset(bytes.get(), '9', 15);  // digits before the start must not count
        std::memset(bytes.get() + 15, ' ', 16);
        std::memcpy(bytes.get() + 15, text.data(), text.size());
    }
    const char* Start() const { return bytes.get() + 15; }
    std::unique_ptr<char[]> bytes;
};

class PlainDecimal : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainDecimal, StopsAndConvertsAsThePortableReader) {
    const PlainCase& c = GetParam();
    const Placed placed(c.text);
    double plain = -1;
    const char* stop = ReadPlainDecimal(placed.Start(), plain);
    ASSERT_EQ(stop ? static_cast<int>(stop - placed.Start()) : -1, c.stop);
    if (!stop)
        return;
    if (*stop == 'e' || *stop == 'E')
        return;  // an exponent: the portable reader goes on
    // The eight-byte reader may read up to eight bytes past a digit, which the buffer's
    // padding allows but this exact block does not: it reads a padded copy.
    const std::string padded = std::string(c.text) + std::string(16, ' ');
    double portable = -2;
    ASSERT_EQ(ReadShortDecimal(padded.data(), portable), padded.data() + (stop - placed.Start()));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(plain), std::bit_cast<std::uint64_t>(portable))
        << plain << " against " << portable;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PlainDecimal,
    ::testing::Values(
        PlainCase{"0", 1}, PlainCase{"-0", 2}, PlainCase{"-0.000", 6}, PlainCase{"+7.", 3},
        PlainCase{".5", 2}, PlainCase{"-.5", 3}, PlainCase{"0.6731", 6}, PlainCase{"-0.8108", 7},
        PlainCase{"12345678", 8},           // eight digits: one half
        PlainCase{"123456789", 9},          // nine: both halves
        PlainCase{"9007199.25474099", -1},  // 16 characters: too long
        PlainCase{"900719925474099", 15},   // 15 digits, the longest
        PlainCase{"-9.0071992547409", -1},
        PlainCase{"-9.007199254740", 15},  // 15 characters with sign and point
        PlainCase{"0.00000000000001", -1}, PlainCase{"0.0000000000001", 15},  // 13 decimals
        PlainCase{"1.5e3", 3},  // stops at the exponent
        PlainCase{"1.2.3", 3}, PlainCase{"1-2", 1}, PlainCase{"+-1", -1}, PlainCase{"4,5", 1},
        PlainCase{"-", -1}, PlainCase{".", -1}, PlainCase{"-.", -1}, PlainCase{"x", -1}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

#else

TEST(PlainDecimal, NeedsSse2) {
    GTEST_SKIP() << "the 16-byte reader is built for x86-64 only";
}

#endif

}  // namespace
}  // namespace mnemex
