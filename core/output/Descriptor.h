#pragma once
// Low-level writes on open descriptors, each returning 0 or the errno value of the failure.

#include <string>
#include <string_view>

namespace mnemex::output {

// Writes every byte to `fd`, retrying interrupted and partial writes and waiting while a
// non-blocking descriptor is full. A reader that has gone away gives EPIPE, not SIGPIPE.
int WriteAll(int fd, std::string_view bytes);

// Opens `path` for writing into an existing device, FIFO or socket (a FIFO waits for its
// reader). Returns the descriptor, or -1 with `error` set.
int OpenStream(const std::string& path, int& error);

// Closes `fd`; the errno value of a failed close (a late write error), else 0.
int CloseReporting(int fd);

}  // namespace mnemex::output
