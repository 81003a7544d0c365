#pragma once
// How many threads the program may run at once.

#include <algorithm>
#include <thread>

namespace mnemex {

// The processor's hardware threads, at least 1; exactly 1 in the browser build, whose
// module has no thread support (a plain static server cannot give it shared memory), so
// that no thread is ever started there.
inline unsigned HardwareThreads() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return 1;
#else
    return std::max(1u, std::thread::hardware_concurrency());
#endif
}

}  // namespace mnemex
