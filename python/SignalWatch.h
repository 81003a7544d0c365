#pragma once
// A training display for runs started from Python: shows nothing, and lets Ctrl-C end the
// run after the current epoch.

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>

#include "core/TrainingRun.h"

namespace mnemex::python {

namespace py = pybind11;

// Asked after every epoch, on the training thread, which runs without the GIL. At most
// every few milliseconds it takes the GIL and lets Python run its signal handlers; when one
// raises (KeyboardInterrupt for Ctrl-C) the run stops there and the exception is kept to be
// raised once the run has ended.
class SignalWatch : public SilentDisplay {
  public:
    bool StopRequested() override;
    // The exception a signal handler raised, if any. Use with the GIL held.
    std::optional<py::error_already_set> Raised;

  private:
    std::chrono::steady_clock::time_point nextCheck_{};
};

}  // namespace mnemex::python
