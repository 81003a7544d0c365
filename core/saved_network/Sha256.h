#pragma once
// SHA-256 (FIPS 180-4), to tell whether a training file is the one a saved network was
// trained on.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mnemex {

class Sha256 {
  public:
    Sha256();
    void Update(const void* data, std::size_t size);
    // The digest of everything given so far; the object must not be updated afterwards.
    std::array<std::uint8_t, 32> Finish();

  private:
    void Block(const std::uint8_t* block);
    std::array<std::uint32_t, 8> h_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;
};

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

// The digest of the regular file at `path` as 64 lower-case hex digits, read in pieces;
// nothing when it cannot be opened or read, or is a pipe, device or socket (which is never
// opened for reading, so nothing waits for a writer), or when `stop` returns true between
// pieces: `problem` then says why.
std::optional<std::string> Sha256OfFile(const std::string& path, std::string& problem,
                                        const std::function<bool()>& stop = {});

// The reason a file read was given up when the stop check asked for it.
inline constexpr const char* kInterrupted = "interrupted";

// Opens the regular file at `path` for reading, never waiting: a pipe, device or socket is
// refused before it is opened. The descriptor, or -1 with the reason in `problem`.
int OpenRegularFile(const std::string& path, std::string& problem);
// Reads up to `most` bytes, again after a signal; -1 with the errno value on failure.
long long ReadSome(int fd, char* to, std::size_t most, int& error);

}  // namespace mnemex
