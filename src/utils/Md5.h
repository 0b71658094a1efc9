#pragma once
// MD5 as RFC 1321 defines it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Utils {

class Md5 {
public:
    using Digest = std::array<uint8_t, 16>;

    void Update(const void* data, size_t size);
    // The digest of everything given so far; the object must not be updated
    // afterwards.
    Digest Final();

    // 32 lower-case hexadecimal digits.
    static std::string ToHex(const Digest& digest);
    static std::string Of(std::string_view data);

private:
    void Transform(const uint8_t* block);

    uint32_t state_[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    uint64_t length_ = 0;  // bytes given so far
    uint8_t buffer_[64] = {};
};

// The MD5 of the file's bytes in lower-case hexadecimal, read in blocks of
// kFileBlockBytes through C I/O; empty for an empty path or a file that cannot
// be opened or read to its end.
constexpr size_t kFileBlockBytes = 64 << 10;
std::string GetFileMd5(const std::string& path);

}  // namespace Utils
