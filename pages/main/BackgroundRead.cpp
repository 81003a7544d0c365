#include "pages/main/BackgroundRead.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace mnemex::pages {

namespace {

// What a successful read replaces: the counts and both pattern arrays.
void MovePatternStore(PublicStuff& from, PublicStuff& to) {
    to.NumOutputs = from.NumOutputs;
    to.SpareCount = from.SpareCount;
    to.NumInputs = from.NumInputs;
    to.NumPatterns = from.NumPatterns;
    to.InputPatterns = std::move(from.InputPatterns);
    to.DesiredOutputs = std::move(from.DesiredOutputs);
}

}  // namespace

bool ReadsInBackground(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path path = PathInFolder(folder, name);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const auto size = fs::file_size(path, ec);
    return !ec && static_cast<long long>(size) > kBackgroundReadBytes;
}

BackgroundFileRead::BackgroundFileRead(std::string folder, std::string name, ReadProgress observer)
    : folder_(std::move(folder)),
      name_(std::move(name)),
      observer_(std::move(observer)),
      worker_([this] { Run(); }) {}

BackgroundFileRead::~BackgroundFileRead() {
    Cancel();
    if (worker_.joinable())
        worker_.join();
}

void BackgroundFileRead::Run() {
    const ReadProgress progress = [this](long long bytesRead, long long size) {
        if (size > 0)
            fraction_.store(
                std::clamp(static_cast<double>(bytesRead) / static_cast<double>(size), 0.0, 1.0),
                std::memory_order_relaxed);
        if (observer_ && !observer_(bytesRead, size))
            return false;
        return !cancelled_.load(std::memory_order_relaxed);
    };
    error_ = ReadTrainingFile(staging_, PathInFolder(folder_, name_), progress);
    finished_.store(true, std::memory_order_release);
}

FileChoice BackgroundFileRead::Adopt(PublicStuff& state) {
    if (worker_.joinable())
        worker_.join();
    if (std::exchange(adopted_, true))
        return FileChoice{};
    if (!error_)
        MovePatternStore(staging_, state);
    return ChoiceAfterRead(state, error_, folder_, name_);
}

}  // namespace mnemex::pages
