// The reader streams: whatever the file's size, it needs little memory beyond the pattern
// store it fills. Measured as the growth of the process's peak resident memory (Linux).

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "core/TrainingFile.h"
#include "tests/support/TempFolder.h"

namespace mnemex {
namespace {

constexpr long kLimitKilobytes = 1024;

// Peak resident memory since the last reset, in kB, or -1 where it cannot be told.
long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

// Writes `lines` lines of `values` values each (or of blanks only) without holding the
// file in memory.
std::string WriteBigFile(const std::string& head, int lines, int values, bool blanksOnly) {
    const std::string path = (testsupport::TestScratchFolder() / "big.net").string();
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string line;
    for (int v = 0; v < values; ++v)
        line += blanksOnly ? "        " : (v % 2 ? " 0.6731" : " -1.25e-3");
    line += blanksOnly ? "\r\n" : "\n";
    for (int k = 0; k < lines; ++k)
        out << line;
    out << (blanksOnly ? " 2 3\n" : "");
    return path;
}

// Peak growth while reading, less the pattern store's own bytes (negative when the store
// reused memory the process already held); nothing where it cannot be measured.
std::optional<long> ReaderOverheadKilobytes(const std::string& path, PublicStuff& state) {
    if (!ResetPeak() || PeakKilobytes() < 0)
        return std::nullopt;
    const long before = PeakKilobytes();
    const auto error = ReadTrainingFile(state, path);
    EXPECT_FALSE(error) << error->Message;
    const std::size_t store =
        (state.InputPatterns.Storage().capacity() + state.DesiredOutputs.Storage().capacity()) *
        sizeof(double);
    return PeakKilobytes() - before - static_cast<long>(store / 1024);
}

// The sanitizers' allocators hold freed memory back and add shadow pages of their own, so
// peak resident memory says nothing about the reader there.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kMeasurable = false;
#else
constexpr bool kMeasurable = true;
#endif

TEST(ReaderMemory, ThirtyMegabytesOfBlanksBetweenTwoValues) {
    if (!kMeasurable)
        GTEST_SKIP() << "peak resident memory cannot be measured under a sanitizer";
    const std::string path = WriteBigFile("1 0 1 1\n", 300000, 12, true);
    PublicStuff state;
    const auto overhead = ReaderOverheadKilobytes(path, state);
    if (!overhead)
        GTEST_SKIP() << "peak resident memory cannot be measured here";
    EXPECT_EQ(state.DesiredOutputs(1, 1), 3.0);
    RecordProperty("overhead_kB", static_cast<int>(*overhead));
    EXPECT_LT(*overhead, kLimitKilobytes);
}

TEST(ReaderMemory, TwentyMegabytesOfValues) {
    if (!kMeasurable)
        GTEST_SKIP() << "peak resident memory cannot be measured under a sanitizer";
    // 1000 inputs and 1000 outputs for 1200 patterns: 2.4 million values, 19 MB of text.
    const std::string path = WriteBigFile("1000 0 1000 1200\n", 2400, 1000, false);
    PublicStuff state;
    const auto overhead = ReaderOverheadKilobytes(path, state);
    if (!overhead)
        GTEST_SKIP() << "peak resident memory cannot be measured here";
    EXPECT_EQ(state.DesiredOutputs(1000, 1200), 0.6731);
    RecordProperty("overhead_kB", static_cast<int>(*overhead));
    EXPECT_LT(*overhead, kLimitKilobytes);
}

}  // namespace
}  // namespace mnemex
