// Feeds arbitrary bytes to the saved-network reader as a state file, with the examples'
// training files beside it, and checks what users rely on: a state is either taken whole and
// consistent, or refused with a message naming it; nothing crashes, waits or takes memory
// beyond the network's (the run's memory limit catches that). The corpus holds states the
// batch command saved, so that mutations reach every member's checks and the hashing.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/saved_network/SavedNetwork.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A folder of our own under TMPDIR holding the training files the corpus names, removed
// when the fuzzer ends.
const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "mnemex-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        for (const char* name : {"dependent.net", "independent.net"})
            fs::copy_file(fs::path(MNEMEX_EXAMPLES_DIR) / name, fs::path(pattern) / name);
        std::atexit([] { fs::remove_all(Folder()); });
        return fs::path(pattern);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = (Folder() / "state.json").string();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        Check(static_cast<bool>(file));
    }
    // No training file given: the state's own name, beside it, or a refusal.
    const mnemex::LoadedNetwork loaded = mnemex::LoadNetworkState(path);
    Check(!loaded.Interrupted);
    if (!loaded.Network) {
        Check(!loaded.Message.empty());
        Check(loaded.Message.find(path) != std::string::npos);
        return 0;
    }
    const mnemex::PublicStuff& s = loaded.Network->State;
    Check(loaded.Message.empty());
    Check(s.TrainingFileName == "dependent.net" || s.TrainingFileName == "independent.net");
    Check(s.Weights.NumInputs() == s.NumInputs && s.Weights.NumOutputs() == s.NumOutputs);
    for (double w : s.Weights.Storage())
        Check(std::isfinite(w));
    Check(s.SSECount >= 0 && s.SSECount <= mnemex::kHistoryRows);
    for (int r = 1; r <= s.SSECount; ++r)
        Check(std::isfinite(s.SSEHistory[static_cast<std::size_t>(r)][1]) &&
              std::isfinite(s.SSEHistory[static_cast<std::size_t>(r)][2]));
    Check(std::isfinite(s.TotalSSE) && std::isfinite(s.LearningRate) && std::isfinite(s.MinError));
    Check(s.EpochCount >= 0 && s.NewRun == 0);
    return 0;
}
