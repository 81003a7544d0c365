#pragma once
// Reading a large training file on a worker thread, so the introductory page stays
// responsive; the program state changes only when the page adopts the finished read.

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "core/PublicStuff.h"
#include "core/TrainingFile.h"
#include "pages/main/Network1Logic.h"

namespace mnemex::pages {

// Files larger than this are read in the background; smaller ones read in a blink, at once.
inline constexpr long long kBackgroundReadBytes = 4LL << 20;

// Whether `folder`/`name` is a regular file larger than kBackgroundReadBytes.
bool ReadsInBackground(const std::string& folder, const std::string& name);

// One read of `folder`/`name` into a staging store of its own, on a thread of its own.
class BackgroundFileRead {
  public:
    // Starts the read at once. `observer` (for tests) is called on the worker thread with
    // every progress report, before the read looks whether it was cancelled.
    BackgroundFileRead(std::string folder, std::string name, ReadProgress observer = {});
    // Cancels the read if it is still running and waits for the thread.
    ~BackgroundFileRead();
    BackgroundFileRead(const BackgroundFileRead&) = delete;
    BackgroundFileRead& operator=(const BackgroundFileRead&) = delete;

    // How much of the file has been read, 0 to 1.
    double Fraction() const { return fraction_.load(std::memory_order_relaxed); }
    // True once the thread has nothing more to do (read whole, refused or cancelled).
    bool Finished() const { return finished_.load(std::memory_order_acquire); }
    // Asks the read to stop at its next progress report; the state is never touched.
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }

    // Waits for the read to end, then, if it succeeded, moves the staged pattern store into
    // `state` and gives exactly what LoadChosenFile gives for the same file. A refused or
    // cancelled read leaves `state` as it was. A second call changes nothing and gives an
    // empty, not loaded choice.
    FileChoice Adopt(PublicStuff& state);

  private:
    void Run();

    const std::string folder_;
    const std::string name_;
    const ReadProgress observer_;
    PublicStuff staging_;
    std::optional<TrainingFileError> error_;
    std::atomic<double> fraction_{0.0};
    std::atomic<bool> finished_{false};
    std::atomic<bool> cancelled_{false};
    bool adopted_ = false;
    // Last: the thread starts once everything it uses exists.
    std::thread worker_;
};

}  // namespace mnemex::pages
