// Progress reports of the training-file reader: how far a read has come, and stopping it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "core/RunTimeError.h"
#include "core/TrainingFile.h"
#include "tests/support/LargeTrainingFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

struct Report {
    long long bytesRead, size;
};

// 200 inputs, 40 outputs, 1000 patterns: 240,000 values, about 2.5 MB.
constexpr int kInputs = 200, kOutputs = 40, kPatterns = 1000;

std::string BigFile(long long* size = nullptr) {
    const auto path = testsupport::TestScratchFolder() / "big.net";
    const long long bytes = testsupport::WriteLargeTrainingFile(path, kInputs, kOutputs, kPatterns);
    if (size)
        *size = bytes;
    return path.string();
}

TEST(ReaderProgress, RisesToTheWholeFileEveryFewThousandValues) {
    long long size = 0;
    const std::string path = BigFile(&size);
    PublicStuff plain, watched;
    ASSERT_FALSE(ReadTrainingFile(plain, path));
    std::vector<Report> reports;
    ASSERT_FALSE(ReadTrainingFile(watched, path, [&](long long read, long long total) {
        reports.push_back({read, total});
        return true;
    }));
    EXPECT_TRUE(testsupport::SamePatternStore(plain, watched))
        << "a watched read must give the same values";

    // One report after the counts, one per run of values in each block, one at the end.
    const long long runs =
        (kInputs * kPatterns + kValuesPerProgressCall - 1) / kValuesPerProgressCall +
        (kOutputs * kPatterns + kValuesPerProgressCall - 1) / kValuesPerProgressCall;
    EXPECT_EQ(static_cast<long long>(reports.size()), runs + 2);
    ASSERT_FALSE(reports.empty());
    EXPECT_LT(reports.front().bytesRead, size / 100);
    EXPECT_EQ(reports.back().bytesRead, size);
    for (std::size_t k = 0; k < reports.size(); ++k) {
        EXPECT_EQ(reports[k].size, size);
        EXPECT_LE(reports[k].bytesRead, size);
        if (k > 0) {
            EXPECT_LE(reports[k - 1].bytesRead, reports[k].bytesRead) << "report " << k;
        }
    }
    // Halfway through the values, about halfway through the bytes.
    const Report middle = reports[reports.size() / 2];
    EXPECT_NEAR(static_cast<double>(middle.bytesRead) / static_cast<double>(size), 0.5, 0.1);
}

TEST(ReaderProgress, AStreamOfUnknownSizeReportsBytesRead) {
    const std::string path = BigFile();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    ASSERT_TRUE(file);
    PublicStuff state;
    std::vector<Report> reports;
    ASSERT_FALSE(ReadTrainingStream(state, file.get(), "big.net", -1, std::size_t{1} << 16,
                                    [&](long long read, long long total) {
                                        reports.push_back({read, total});
                                        return true;
                                    }));
    ASSERT_GT(reports.size(), 2u);
    for (const Report& r : reports)
        EXPECT_EQ(r.size, -1);
    EXPECT_GT(reports.back().bytesRead, reports.front().bytesRead);
    EXPECT_EQ(state.NumPatterns, kPatterns);
}

// Saying stop at the first, a middle or the last report ends the read with error 18 and
// leaves the file loaded before exactly as it was; no report follows the refusal.
TEST(ReaderProgress, StoppingLeavesTheEarlierFileLoaded) {
    const std::string path = BigFile();
    const std::string small = testsupport::WriteScratchFile("small.net", "1 0 2 1\n0.5 -2\n3\n");
    PublicStuff before;
    ASSERT_FALSE(ReadTrainingFile(before, small));
    long long reportsInAll = 0;
    {
        PublicStuff counted;
        ASSERT_FALSE(ReadTrainingFile(counted, path, [&](long long, long long) {
            ++reportsInAll;
            return true;
        }));
    }
    for (const long long stopAt : {1LL, reportsInAll / 2, reportsInAll}) {
        SCOPED_TRACE("stop at report " + std::to_string(stopAt));
        PublicStuff state = before;
        long long calls = 0;
        const auto error =
            ReadTrainingFile(state, path, [&](long long, long long) { return ++calls < stopAt; });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number, kUserInterrupt);
        EXPECT_EQ(error->Message,
                  "The training file \"big.net\" was not read to its end: reading was stopped.");
        EXPECT_EQ(calls, stopAt);
        EXPECT_TRUE(testsupport::SamePatternStore(state, before));
    }
}

}  // namespace
}  // namespace mnemex
