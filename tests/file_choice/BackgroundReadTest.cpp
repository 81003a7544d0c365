// A large training file read on a worker thread: the same store, boxes and messages as a
// read on the spot, and the program state untouched until the read is adopted.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "pages/main/BackgroundRead.h"
#include "pages/main/Network1Logic.h"
#include "tests/support/LargeTrainingFile.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestNetworks.h"

namespace mnemex::pages {
namespace {

namespace fs = std::filesystem;

// Counts, both pattern arrays (bit for bit) and the file's name and path.
void ExpectSameLoadedFile(const PublicStuff& a, const PublicStuff& b) {
    EXPECT_EQ(a.NumOutputs, b.NumOutputs);
    EXPECT_EQ(a.SpareCount, b.SpareCount);
    EXPECT_EQ(a.NumInputs, b.NumInputs);
    EXPECT_EQ(a.NumPatterns, b.NumPatterns);
    EXPECT_EQ(a.InputPatterns.Units(), b.InputPatterns.Units());
    EXPECT_EQ(a.DesiredOutputs.Patterns(), b.DesiredOutputs.Patterns());
    EXPECT_TRUE(testsupport::SamePatternStore(a, b));
    EXPECT_EQ(a.TrainingFileName, b.TrainingFileName);
    EXPECT_EQ(a.TrainingFilePath, b.TrainingFilePath);
}

// A test folder holding a small file, already loaded into `earlier`, beside large ones.
class BackgroundRead : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::WriteBytes(Folder() / "small.net", "2 0 3 1\n1 2 3\n-1 0.25\n");
        ASSERT_TRUE(LoadChosenFile(earlier, folder, "small.net").Loaded);
        earlier.NewRun = 1;
        earlier.EpochCount = 17;
    }
    static fs::path Folder() { return testsupport::TestScratchFolder(); }
    // 700 inputs, 30 outputs, 800 patterns: 584,000 values, about 6 MB.
    static long long WriteBig(const std::string& name, const std::string& lastValue = {}) {
        return testsupport::WriteLargeTrainingFile(Folder() / name, 700, 30, 800, lastValue);
    }
    // Waits until the read says it is finished, as the page's timer does.
    static void WaitUntilFinished(const BackgroundFileRead& read) {
        while (!read.Finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    const std::string folder = Folder().string();
    PublicStuff earlier;
};

TEST_F(BackgroundRead, OnlyRegularFilesOverFourMebibytesGoToTheBackground) {
    ASSERT_GT(WriteBig("big.net"), kBackgroundReadBytes);
    testsupport::WriteBytes(Folder() / "limit.net", std::string(kBackgroundReadBytes, ' '));
    testsupport::WriteBytes(Folder() / "over.net", std::string(kBackgroundReadBytes + 1, ' '));
    fs::create_directory(Folder() / "folder.net");
    const struct {
        const char* name;
        bool background;
    } cases[] = {{"big.net", true},    {"over.net", true},    {"limit.net", false},
                 {"small.net", false}, {"folder.net", false}, {"missing.net", false}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadsInBackground(folder, c.name), c.background) << c.name;
}

TEST_F(BackgroundRead, APipeIsRefusedWithoutWaitingForAWriter) {
    // Opening a FIFO nobody writes to would freeze the window; it is refused unopened, and
    // so is a link to it. The earlier file stays loaded.
    testsupport::MakeFifo(Folder() / "pipe.net");
    fs::create_symlink(Folder() / "pipe.net", Folder() / "link.net");
    for (const char* name : {"pipe.net", "link.net"}) {
        PublicStuff state = earlier;
        const FileChoice choice = LoadChosenFile(state, folder, name);
        EXPECT_FALSE(choice.Loaded);
        EXPECT_EQ(choice.Message, std::string("The training file \"") + name +
                                      "\" cannot be opened: it is a pipe, device or socket, "
                                      "not a file.");
        ExpectSameLoadedFile(state, earlier);
        EXPECT_FALSE(ReadsInBackground(folder, name));
    }
    EXPECT_TRUE(IsStreamNotFile((Folder() / "pipe.net").string()));
    EXPECT_FALSE(IsStreamNotFile((Folder() / "small.net").string()));
    EXPECT_FALSE(IsStreamNotFile((Folder() / "missing.net").string()));
    EXPECT_FALSE(IsStreamNotFile(folder));
}

TEST_F(BackgroundRead, GivesTheSameStoreAndBoxesAsAReadOnTheSpot) {
    WriteBig("big.net");
    PublicStuff onTheSpot = earlier;
    const FileChoice expected = LoadChosenFile(onTheSpot, folder, "big.net");
    ASSERT_TRUE(expected.Loaded) << expected.Message;

    PublicStuff state = earlier;
    BackgroundFileRead read(folder, "big.net");
    WaitUntilFinished(read);
    EXPECT_EQ(read.Fraction(), 1.0);

    const FileChoice choice = read.Adopt(state);
    EXPECT_TRUE(choice.Loaded);
    EXPECT_EQ(choice.Message, "");
    EXPECT_EQ(choice.Boxes, expected.Boxes);
    EXPECT_EQ(choice.Boxes, (std::array<std::string, 4>{"big.net", "30", "700", "800"}));
    ExpectSameLoadedFile(state, onTheSpot);
    // Only the pattern store and the file's name change.
    EXPECT_EQ(state.NewRun, 1);
    EXPECT_EQ(state.EpochCount, 17);

    // Adopting twice changes nothing more.
    const FileChoice again = read.Adopt(state);
    EXPECT_FALSE(again.Loaded);
    ExpectSameLoadedFile(state, onTheSpot);
}

TEST_F(BackgroundRead, ARefusedFileGivesTheSameMessageAndKeepsTheEarlierFile) {
    const struct {
        const char* lastValue;
        const char* problem;
    } cases[] = {{"x1", "not a number"}, {"1e999", "too large"}, {"1..5", "two points"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        WriteBig("bad.net", c.lastValue);
        PublicStuff onTheSpot = earlier;
        const FileChoice expected = LoadChosenFile(onTheSpot, folder, "bad.net");
        ASSERT_FALSE(expected.Loaded);
        EXPECT_NE(expected.Message.find("bad.net"), std::string::npos) << expected.Message;

        PublicStuff state = earlier;
        BackgroundFileRead read(folder, "bad.net");
        const FileChoice choice = read.Adopt(state);  // waits for the end
        EXPECT_FALSE(choice.Loaded);
        EXPECT_EQ(choice.Message, expected.Message);
        ExpectSameLoadedFile(state, earlier);
    }
}

// Holds the worker at its first progress report until the test lets it go.
class Gate {
  public:
    bool Wait() {
        std::unique_lock lock(mutex_);
        reached_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        return true;
    }
    void AwaitArrival() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return reached_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reached_ = false, open_ = false;
};

TEST_F(BackgroundRead, CancelledMidwayItStopsAndChangesNothing) {
    WriteBig("big.net");
    PublicStuff state = earlier;
    Gate gate;
    long long lastBytes = 0, size = 0;
    BackgroundFileRead read(folder, "big.net", [&](long long bytes, long long total) {
        lastBytes = bytes;
        size = total;
        return gate.Wait();
    });
    gate.AwaitArrival();
    EXPECT_FALSE(read.Finished());
    read.Cancel();
    gate.Open();
    const FileChoice choice = read.Adopt(state);
    EXPECT_FALSE(choice.Loaded);
    // It stopped at the report where it was held: right after the counts.
    EXPECT_LT(lastBytes, size / 100);
    EXPECT_LT(read.Fraction(), 0.01);
    ExpectSameLoadedFile(state, earlier);
}

TEST_F(BackgroundRead, DestroyedMidwayItStopsAndWaitsForItsThread) {
    WriteBig("big.net");
    Gate gate;
    std::atomic<int> reports = 0;
    std::atomic<long long> lastBytes = 0, size = 0;
    {
        // Lets the held worker go a moment after the read starts going away (declared
        // first, so it is joined after the read is gone).
        std::jthread opener;
        BackgroundFileRead read(folder, "big.net", [&](long long bytes, long long total) {
            ++reports;
            lastBytes = bytes;
            size = total;
            return gate.Wait();
        });
        gate.AwaitArrival();
        opener = std::jthread([&gate] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            gate.Open();
        });
        // Goes out of scope while the worker is held.
    }
    // Cancelled on the way out: it stopped near where it was held, far from the end, and
    // its thread is gone, so nothing reports any more.
    EXPECT_LT(lastBytes, size / 100);
    const int atTheEnd = reports;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(reports, atTheEnd);
    {
        // Gone before the worker has even opened the file: it must neither hang nor crash.
        BackgroundFileRead read(folder, "big.net");
    }
}

TEST_F(BackgroundRead, ItsFractionRisesWhileTheWorkerReads) {
    WriteBig("big.net");
    std::vector<double> seen;
    BackgroundFileRead read(folder, "big.net");
    while (!read.Finished()) {
        seen.push_back(read.Fraction());
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    seen.push_back(read.Fraction());
    for (std::size_t k = 1; k < seen.size(); ++k)
        EXPECT_LE(seen[k - 1], seen[k]);
    EXPECT_EQ(seen.back(), 1.0);
}

}  // namespace
}  // namespace mnemex::pages
