#pragma once
// Device nodes, FIFOs and sockets made inside a test's own folder, so tests that write to
// such targets never touch the real /dev.

#include <filesystem>
#include <future>
#include <string>

namespace mnemex::testsupport {

// Device numbers of two well-known character devices: the sink that takes everything and
// the one that always reports a full disk.
struct DeviceNumbers {
    unsigned Major, Minor;
};
inline constexpr DeviceNumbers kNullDevice{1, 3};
inline constexpr DeviceNumbers kFullDevice{1, 7};

// A character device node with the given numbers; false when this user may not make one
// (only root may), so the caller can skip.
bool MakeCharacterDevice(const std::filesystem::path& node, DeviceNumbers numbers);

// A FIFO; throws when it cannot be made.
void MakeFifo(const std::filesystem::path& fifo);

// Everything written to a FIFO or a listening socket until the writer closes it, read on a
// thread of its own. Destroying it before the writer came waits for no one.
class BackgroundReader {
  public:
    // Opens `fifo` for reading (which waits for a writer) on the reading thread.
    static BackgroundReader Fifo(const std::filesystem::path& fifo);
    // Listens on a new stream socket at `socket` and reads one connection.
    static BackgroundReader Socket(const std::filesystem::path& socket);
    ~BackgroundReader();
    BackgroundReader(BackgroundReader&&) noexcept;
    BackgroundReader& operator=(BackgroundReader&&) = delete;

    // The bytes read, once the writer has closed its end.
    std::string Take();

  private:
    BackgroundReader(std::filesystem::path wakePath, std::future<std::string> bytes);
    std::filesystem::path wakePath_;  // opened as a writer to end a wait that nobody ends
    std::future<std::string> bytes_;
};

}  // namespace mnemex::testsupport
