#pragma once
// SHA-256 (FIPS 180-4), to tell whether a training file is the one a saved network was
// trained on.

#include <array>
#include <cstddef>
#include <cstdint>
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

// The digest of the file at `path` as 64 lower-case hex digits, read in pieces; nothing when
// it cannot be opened or read (`problem` then holds the system's reason).
std::optional<std::string> Sha256OfFile(const std::string& path, std::string& problem);

}  // namespace mnemex
