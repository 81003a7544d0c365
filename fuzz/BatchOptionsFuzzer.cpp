// Feeds arbitrary command lines (arguments separated by NUL bytes) to the batch command's
// option parser and, when they parse, runs them on a small training file. What users rely
// on: every command line ends in status 0, 1 or 2, a refusal is one line on standard error
// (besides a warning line per option without effect), and nothing throws, crashes or reads
// past a value. Results named "-" are kept (written to memory); other result names are
// dropped so the fuzzer writes no files.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A four-pattern training file in a private folder, removed when the fuzzer ends.
class TrainingFile {
  public:
    TrainingFile() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/mnemex-fuzz-XXXXXX";
        Check(::mkdtemp(pattern.data()) != nullptr);
        folder_ = pattern;
        path_ = folder_ + "/small.net";
        const std::string text = "2, 0, 3, 4\n1,0,0  0,1,0  0,0,1  1,1,1\n1,0 0,1 1,1 2,2\n";
        FILE* f = std::fopen(path_.c_str(), "w");
        Check(f != nullptr && std::fwrite(text.data(), 1, text.size(), f) == text.size());
        std::fclose(f);
    }
    ~TrainingFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& Path() const { return path_; }

  private:
    std::string folder_, path_;
};

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[k]);
        }
    }
    if (size > 0)
        args.push_back(current);
    return args;
}

void KeepOnlyStandardOutput(std::optional<std::string>& path) {
    if (path && *path != "-")
        path.reset();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TrainingFile training;
    const std::vector<std::string> args = Arguments(data, size);
    const auto parsed = mnemex::batch::ParseBatchOptions(args);
    if (!parsed.Options) {
        Check(!parsed.Error.empty());
        Check(parsed.Error.find('\n') == std::string::npos);
        return 0;
    }
    mnemex::batch::BatchOptions options = *parsed.Options;
    if (options.Help)
        return 0;
    Check(!options.TrainingFile.empty());
    options.TrainingFile = training.Path();
    KeepOnlyStandardOutput(options.JsonPath);
    KeepOnlyStandardOutput(options.ReportPath);
    options.XlsxPath.reset();  // the workbook writer has tests of its own; it is slow here
    KeepOnlyStandardOutput(options.Experiments.WeightsCsv);
    KeepOnlyStandardOutput(options.Experiments.WeightsNpy);
    KeepOnlyStandardOutput(options.SaveStatePath);
    // A state to resume from would be read from any name the input makes up (a FIFO there
    // would wait forever); the state reader has tests of its own.
    options.LoadStatePath.reset();

    std::ostringstream out, err, json;
    std::atomic<bool> stop{false};
    mnemex::PublicStuff state;
    const int status = mnemex::batch::RunBatch(
        options, state, mnemex::batch::BatchStreams{out, err, json}, stop, /*epochsPerRun=*/2);
    Check(status == mnemex::batch::kExitOk || status == mnemex::batch::kExitTrainingError ||
          status == mnemex::batch::kExitUsage);
    // An option without effect gets a warning line; anything else is one line.
    const std::string message = err.str();
    const auto lines = std::count(message.begin(), message.end(), '\n');
    std::ptrdiff_t warnings = 0;
    for (std::size_t at = message.find("mnemex-batch: warning: "); at != std::string::npos;
         at = message.find("mnemex-batch: warning: ", at + 1))
        warnings += at == 0 || message[at - 1] == '\n' ? 1 : 0;
    if (status == mnemex::batch::kExitOk)
        Check(lines == warnings);
    if (status == mnemex::batch::kExitUsage)
        Check(!message.empty() && lines - warnings == 1);
    if (status != mnemex::batch::kExitOk)
        Check(json.str().empty());  // nothing claimed as a result after a failure
    return 0;
}
