// SHA-256 against the standard's test vectors, and a saved network read back to the bit.
#include <gtest/gtest.h>

#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "core/saved_network/SavedNetwork.h"
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

PublicStuff Trained(const std::string& path, const char* rule, bool permuted, int epochs) {
    PublicStuff s;
    EXPECT_FALSE(ReadTrainingFile(s, path));
    s.TrainingFileName = "t.net";
    s.TrainingFilePath = path;
    s.LearningRule = rule;
    s.LearningRate = 0.05;
    s.StopAtMaxEpochs = 1;
    s.MaxEpochs = epochs;
    s.PrintInterval = 7;
    s.Order = {permuted, 11};
    s.NewRun = 1;
    s.ReallocateNetwork();
    SilentDisplay display;
    TrainNetwork(s, display, epochs);
    return s;
}

TEST(SavedNetwork, ResumedRunEqualsContinuedRunAndSavesAgainByteForByte) {
    const std::string net = testsupport::WriteScratchFile(
        "t.net", "2 0 3 4\n1 0 1\n0 1 1\n1 1 0\n0.5 0 1\n1 0\n0 1\n1 1\n0.25 -1\n");
    const std::string saved = (testsupport::TestScratchFolder() / "s.json").string();
    for (const char* rule : {"Hebb", "Delta"}) {
        for (const bool permuted : {false, true}) {
            SCOPED_TRACE(std::string(rule) + (permuted ? " permuted" : " file order"));
            PublicStuff continued = Trained(net, rule, permuted, 50);
            ASSERT_FALSE(SaveNetworkState(continued, {50, std::nullopt}, saved));
            LoadedNetwork loaded = LoadNetworkState(saved);
            ASSERT_TRUE(loaded.Network) << loaded.Message;
            PublicStuff resumed;
            AdoptSavedNetwork(resumed, std::move(*loaded.Network));
            const std::string first = testsupport::ReadBytes(saved);
            ASSERT_FALSE(SaveNetworkState(resumed, {50, std::nullopt}, saved));
            EXPECT_EQ(testsupport::ReadBytes(saved), first);
            for (PublicStuff* s : {&continued, &resumed}) {
                s->NewRun = 0;
                s->MaxEpochs = 100;
                SilentDisplay display;
                TrainNetwork(*s, display, 50);
            }
            EXPECT_EQ(resumed.Weights.Storage(), continued.Weights.Storage());
            EXPECT_EQ(resumed.TotalSSE, continued.TotalSSE);
            EXPECT_EQ(resumed.SSECount, continued.SSECount);
            EXPECT_EQ(resumed.SSEHistory, continued.SSEHistory);
        }
    }
}

TEST(SavedNetwork, RefusalsNameTheFileAndTheReason) {
    const std::string net = testsupport::WriteScratchFile("t.net", "1 0 2 2\n1 0\n0 1\n1\n-1\n");
    const std::string saved = (testsupport::TestScratchFolder() / "s.json").string();
    PublicStuff s = Trained(net, "Delta", false, 5);
    ASSERT_FALSE(SaveNetworkState(s, {5, 0.5}, saved));
    const std::string good = testsupport::ReadBytes(saved);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const struct {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        {"cut short", good.substr(0, good.size() / 2), "is damaged or cut short"},
        {"garbage", "{\"format\": x}", "is damaged or cut short"},
        {"newer", replaced("\"version\": 1", "\"version\": 2"), "newer than this program"},
        {"not finite", replaced("\"rate\": 0.05", "\"rate\": 1e999"), "not a finite number"},
        {"sizes", replaced("\"inputs\": 2", "\"inputs\": 3"), "does not fit"},
        {"not ours", "{\"a\": 1}", "not a saved network"},
    };
    for (const auto& c : cases) {
        testsupport::WriteBytes(saved, c.text);
        const LoadedNetwork loaded = LoadNetworkState(saved);
        EXPECT_FALSE(loaded.Network) << c.name;
        EXPECT_NE(loaded.Message.find(saved), std::string::npos) << loaded.Message;
        EXPECT_NE(loaded.Message.find(c.reason), std::string::npos) << loaded.Message;
    }
    testsupport::WriteBytes(saved, good);
    testsupport::WriteBytes(net, "1 0 2 2\n1 0\n0 1\n1\n-0.5\n");
    EXPECT_NE(LoadNetworkState(saved).Message.find("SHA-256 differs"), std::string::npos);
    std::filesystem::remove(net);
    EXPECT_NE(LoadNetworkState(saved).Message.find("cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace mnemex
