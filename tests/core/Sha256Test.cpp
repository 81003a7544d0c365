// SHA-256, which names the training file in a saved network, against the standard's test
// vectors.
#include <gtest/gtest.h>

#include "core/saved_network/Sha256.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

TEST(Sha256, StandardTestVectors) {
    const struct {
        std::string input, digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sha256Hex(c.input), c.digest) << c.input.size() << " bytes";
}

TEST(Sha256, PiecesOfAnySizeGiveTheSameDigestAsAFile) {
    std::string bytes;
    for (int k = 0; k < 5000; ++k)
        bytes += static_cast<char>(k * 7 % 251);
    Sha256 hash;
    for (std::size_t at = 0, step = 1; at < bytes.size(); at += step, step = step * 3 % 97 + 1)
        hash.Update(bytes.data() + at, std::min(step, bytes.size() - at));
    const auto digest = hash.Finish();
    std::string problem;
    const auto fromFile = Sha256OfFile(testsupport::WriteScratchFile("b.bin", bytes), problem);
    ASSERT_TRUE(fromFile) << problem;
    EXPECT_EQ(*fromFile, Sha256Hex(bytes));
    EXPECT_EQ(static_cast<int>(digest[0]), std::stoi(fromFile->substr(0, 2), nullptr, 16));
}

}  // namespace
}  // namespace mnemex
