// Times the spreadsheet summary of large networks and reports the memory it takes:
// the in-memory build, the .xlsx file write, the file size and the peak resident size.
// Each size runs in a child process of its own so that the peak belongs to that size.
//
// bench_workbook [PATTERNS INPUTS OUTPUTS]...   (default: 100 100 100, 1000 100 100,
//                                               2000 100 100)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "reports/workbook/SpreadsheetSummary.h"
#include "reports/workbook/XlsxFile.h"
#include "tests/workbook/SummaryStates.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Times the hand-over: the write of the finished workbook to a file.
class TimedFileHandOver : public mnemex::sheets::WorkbookHandOver {
  public:
    explicit TimedFileHandOver(std::string path) : path_(std::move(path)) {}
    std::string HandOver(std::unique_ptr<mnemex::sheets::Workbook> workbook) override {
        cells = workbook->CellCount();
        builtRss = PeakRssKiB();
        const auto start = Clock::now();
        mnemex::sheets::WriteXlsxFile(*workbook, path_);
        writeSeconds = Seconds(start, Clock::now());
        return path_;
    }
    std::size_t cells = 0;
    long builtRss = 0;
    double writeSeconds = 0.0;

  private:
    std::string path_;
};

class NoFeedback : public mnemex::SummaryFeedback {
  public:
    void SetFeedbackCaption(const std::string&) override {}
    void SetProgressRange(int, int) override {}
    int ProgressValue() const override { return value_; }
    void SetProgressValue(int value) override { value_ = value; }
    void SetProgressVisible(bool) override {}
    void ShowMessage(const std::string& text) override { message = text; }
    std::string message;

  private:
    int value_ = 0;
};

int RunOne(int patterns, int inputs, int outputs) {
    const long startRss = PeakRssKiB();
    mnemex::PublicStuff state = mnemex::testing::FormulaState(inputs, outputs, patterns, 2000);
    const long stateRss = PeakRssKiB();
    const std::string path = std::filesystem::temp_directory_path() /
                             ("mnemex-bench-" + std::to_string(getpid()) + ".xlsx");
    TimedFileHandOver handOver(path);
    mnemex::sheets::LocalSpreadsheetHost host(handOver);
    mnemex::SpreadsheetState spreadsheet;
    NoFeedback feedback;
    const auto start = Clock::now();
    mnemex::BuildSpreadsheetSummary(state, spreadsheet, host, feedback);
    const double total = Seconds(start, Clock::now());
    if (!feedback.message.empty()) {
        std::fprintf(stderr, "build failed: %s\n", feedback.message.c_str());
        return 1;
    }
    const auto bytes = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    std::printf(
        "%5d patterns x %3d inputs x %3d outputs, 2000 SSE rows: %8zu cells | build %.3f s, "
        "file write %.3f s, total %.3f s | file %.1f MB | peak RSS: start %.1f MB, with "
        "network %.1f MB, workbook built %.1f MB (%.0f bytes/cell), after write %.1f MB\n",
        patterns, inputs, outputs, handOver.cells, total - handOver.writeSeconds,
        handOver.writeSeconds, total, static_cast<double>(bytes) / 1e6, startRss / 1024.0,
        stateRss / 1024.0, handOver.builtRss / 1024.0,
        static_cast<double>(handOver.builtRss - stateRss) * 1024.0 /
            static_cast<double>(handOver.cells),
        PeakRssKiB() / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::array<int, 3>> sizes;
    for (int k = 1; k + 2 < argc; k += 3)
        sizes.push_back({std::atoi(argv[k]), std::atoi(argv[k + 1]), std::atoi(argv[k + 2])});
    if (sizes.empty())
        sizes = {{100, 100, 100}, {1000, 100, 100}, {2000, 100, 100}};
    int failures = 0;
    for (const auto& s : sizes) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            const int status = RunOne(s[0], s[1], s[2]);
            std::fflush(stdout);
            std::_Exit(status);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
