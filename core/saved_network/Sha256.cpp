#include "core/saved_network/Sha256.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/output/OutputTarget.h"

namespace mnemex {

namespace {

constexpr std::array<std::uint32_t, 64> kRound{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

std::string Hex(const std::array<std::uint8_t, 32>& digest) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t b : digest) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

}  // namespace

Sha256::Sha256()
    : h_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
         0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::Block(const std::uint8_t* p) {
    std::array<std::uint32_t, 64> w{};
    for (int t = 0; t < 16; ++t)
        w[t] = std::uint32_t{p[4 * t]} << 24 | std::uint32_t{p[4 * t + 1]} << 16 |
               std::uint32_t{p[4 * t + 2]} << 8 | std::uint32_t{p[4 * t + 3]};
    for (int t = 16; t < 64; ++t) {
        const std::uint32_t s0 = Rotr(w[t - 15], 7) ^ Rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
        const std::uint32_t s1 = Rotr(w[t - 2], 17) ^ Rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
        w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    std::uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4], f = h_[5], g = h_[6],
                  h = h_[7];
    for (int t = 0; t < 64; ++t) {
        const std::uint32_t t1 =
            h + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[t] + w[t];
        const std::uint32_t t2 =
            (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h_[0] += a;
    h_[1] += b;
    h_[2] += c;
    h_[3] += d;
    h_[4] += e;
    h_[5] += f;
    h_[6] += g;
    h_[7] += h;
}

void Sha256::Update(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    length_ += size;
    if (buffered_ > 0) {
        const std::size_t take = std::min(size, buffer_.size() - buffered_);
        std::memcpy(buffer_.data() + buffered_, p, take);
        buffered_ += take;
        p += take;
        size -= take;
        if (buffered_ < buffer_.size())
            return;
        Block(buffer_.data());
        buffered_ = 0;
    }
    for (; size >= 64; p += 64, size -= 64)
        Block(p);
    std::memcpy(buffer_.data(), p, size);
    buffered_ = size;
}

std::array<std::uint8_t, 32> Sha256::Finish() {
    const std::uint64_t bits = length_ * 8;
    const std::uint8_t one = 0x80;
    Update(&one, 1);
    const std::uint8_t zero = 0;
    while (buffered_ != 56)
        Update(&zero, 1);
    std::uint8_t tail[8];
    for (int k = 0; k < 8; ++k)
        tail[k] = static_cast<std::uint8_t>(bits >> (56 - 8 * k));
    Update(tail, 8);
    std::array<std::uint8_t, 32> digest{};
    for (int k = 0; k < 32; ++k)
        digest[k] = static_cast<std::uint8_t>(h_[k / 4] >> (24 - 8 * (k % 4)));
    return digest;
}

std::string Sha256Hex(std::string_view bytes) {
    Sha256 hash;
    hash.Update(bytes.data(), bytes.size());
    return Hex(hash.Finish());
}

int OpenRegularFile(const std::string& path, std::string& problem) {
    // Looked at before it is opened: opening a FIFO waits for a writer, and opening some
    // devices does something.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        problem = std::strerror(errno);
        return -1;
    }
    if (S_ISDIR(info.st_mode)) {
        problem = std::strerror(EISDIR);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = output::kStreamNotFileReason;
        return -1;
    }
    // Non-blocking, and looked at again once open, in case the name changed in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : output::kStreamNotFileReason;
        ::close(fd);
        return -1;
    }
    return fd;
}

long long ReadSome(int fd, char* to, std::size_t most, int& error) {
    for (;;) {
        const ssize_t got = ::read(fd, to, most);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

std::optional<std::string> Sha256OfFile(const std::string& path, std::string& problem,
                                        const std::function<bool()>& stop) {
    const int fd = OpenRegularFile(path, problem);
    if (fd < 0)
        return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    Sha256 hash;
    std::vector<char> buffer(std::size_t{1} << 16);
    for (;;) {
        if (stop && stop()) {
            problem = kInterrupted;
            return std::nullopt;
        }
        int error = 0;
        const long long got = ReadSome(fd, buffer.data(), buffer.size(), error);
        if (got < 0) {
            problem = std::strerror(error);
            return std::nullopt;
        }
        if (got == 0)
            break;
        hash.Update(buffer.data(), static_cast<std::size_t>(got));
    }
    return Hex(hash.Finish());
}

}  // namespace mnemex
