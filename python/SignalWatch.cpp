#include "python/SignalWatch.h"

namespace mnemex::python {

namespace {

// Short enough that Ctrl-C feels immediate, long enough that taking the GIL costs nothing
// next to the epochs in between.
constexpr std::chrono::milliseconds kCheckInterval{20};

}  // namespace

bool SignalWatch::StopRequested() {
    const auto now = std::chrono::steady_clock::now();
    if (now < nextCheck_)
        return false;
    nextCheck_ = now + kCheckInterval;
    py::gil_scoped_acquire gil;
    if (PyErr_CheckSignals() == 0)
        return false;
    Raised.emplace();  // takes the pending exception
    return true;
}

}  // namespace mnemex::python
