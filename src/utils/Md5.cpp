#include "utils/Md5.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace Utils {
namespace {

uint32_t RotateLeft(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

uint32_t LoadLittleEndian(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// One step of each round: a = b + ((a + f(b, c, d) + x + t) <<< s). The word
// and the constant are added first: they do not depend on the step before.
#define MD5_STEP(f, a, b, c, d, x, t, s) \
    a += (x) + (t);                      \
    a += f(b, c, d);                     \
    a = RotateLeft(a, s) + (b)

inline uint32_t F(uint32_t x, uint32_t y, uint32_t z) {
    return z ^ (x & (y ^ z));
}
// The two halves never share a bit, so adding them equals or-ing them, and the
// addition lets the processor start on the half that does not wait for x.
inline uint32_t G(uint32_t x, uint32_t y, uint32_t z) {
    return (x & z) + (y & ~z);
}
inline uint32_t H(uint32_t x, uint32_t y, uint32_t z) {
    return x ^ y ^ z;
}
inline uint32_t I(uint32_t x, uint32_t y, uint32_t z) {
    return y ^ (x | ~z);
}

}  // namespace

void Md5::Transform(const uint8_t* block) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(block + 4 * i);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

    MD5_STEP(F, a, b, c, d, x[0], 0xd76aa478, 7);
    MD5_STEP(F, d, a, b, c, x[1], 0xe8c7b756, 12);
    MD5_STEP(F, c, d, a, b, x[2], 0x242070db, 17);
    MD5_STEP(F, b, c, d, a, x[3], 0xc1bdceee, 22);
    MD5_STEP(F, a, b, c, d, x[4], 0xf57c0faf, 7);
    MD5_STEP(F, d, a, b, c, x[5], 0x4787c62a, 12);
    MD5_STEP(F, c, d, a, b, x[6], 0xa8304613, 17);
    MD5_STEP(F, b, c, d, a, x[7], 0xfd469501, 22);
    MD5_STEP(F, a, b, c, d, x[8], 0x698098d8, 7);
    MD5_STEP(F, d, a, b, c, x[9], 0x8b44f7af, 12);
    MD5_STEP(F, c, d, a, b, x[10], 0xffff5bb1, 17);
    MD5_STEP(F, b, c, d, a, x[11], 0x895cd7be, 22);
    MD5_STEP(F, a, b, c, d, x[12], 0x6b901122, 7);
    MD5_STEP(F, d, a, b, c, x[13], 0xfd987193, 12);
    MD5_STEP(F, c, d, a, b, x[14], 0xa679438e, 17);
    MD5_STEP(F, b, c, d, a, x[15], 0x49b40821, 22);

    MD5_STEP(G, a, b, c, d, x[1], 0xf61e2562, 5);
    MD5_STEP(G, d, a, b, c, x[6], 0xc040b340, 9);
    MD5_STEP(G, c, d, a, b, x[11], 0x265e5a51, 14);
    MD5_STEP(G, b, c, d, a, x[0], 0xe9b6c7aa, 20);
    MD5_STEP(G, a, b, c, d, x[5], 0xd62f105d, 5);
    MD5_STEP(G, d, a, b, c, x[10], 0x02441453, 9);
    MD5_STEP(G, c, d, a, b, x[15], 0xd8a1e681, 14);
    MD5_STEP(G, b, c, d, a, x[4], 0xe7d3fbc8, 20);
    MD5_STEP(G, a, b, c, d, x[9], 0x21e1cde6, 5);
    MD5_STEP(G, d, a, b, c, x[14], 0xc33707d6, 9);
    MD5_STEP(G, c, d, a, b, x[3], 0xf4d50d87, 14);
    MD5_STEP(G, b, c, d, a, x[8], 0x455a14ed, 20);
    MD5_STEP(G, a, b, c, d, x[13], 0xa9e3e905, 5);
    MD5_STEP(G, d, a, b, c, x[2], 0xfcefa3f8, 9);
    MD5_STEP(G, c, d, a, b, x[7], 0x676f02d9, 14);
    MD5_STEP(G, b, c, d, a, x[12], 0x8d2a4c8a, 20);

    MD5_STEP(H, a, b, c, d, x[5], 0xfffa3942, 4);
    MD5_STEP(H, d, a, b, c, x[8], 0x8771f681, 11);
    MD5_STEP(H, c, d, a, b, x[11], 0x6d9d6122, 16);
    MD5_STEP(H, b, c, d, a, x[14], 0xfde5380c, 23);
    MD5_STEP(H, a, b, c, d, x[1], 0xa4beea44, 4);
    MD5_STEP(H, d, a, b, c, x[4], 0x4bdecfa9, 11);
    MD5_STEP(H, c, d, a, b, x[7], 0xf6bb4b60, 16);
    MD5_STEP(H, b, c, d, a, x[10], 0xbebfbc70, 23);
    MD5_STEP(H, a, b, c, d, x[13], 0x289b7ec6, 4);
    MD5_STEP(H, d, a, b, c, x[0], 0xeaa127fa, 11);
    MD5_STEP(H, c, d, a, b, x[3], 0xd4ef3085, 16);
    MD5_STEP(H, b, c, d, a, x[6], 0x04881d05, 23);
    MD5_STEP(H, a, b, c, d, x[9], 0xd9d4d039, 4);
    MD5_STEP(H, d, a, b, c, x[12], 0xe6db99e5, 11);
    MD5_STEP(H, c, d, a, b, x[15], 0x1fa27cf8, 16);
    MD5_STEP(H, b, c, d, a, x[2], 0xc4ac5665, 23);

    MD5_STEP(I, a, b, c, d, x[0], 0xf4292244, 6);
    MD5_STEP(I, d, a, b, c, x[7], 0x432aff97, 10);
    MD5_STEP(I, c, d, a, b, x[14], 0xab9423a7, 15);
    MD5_STEP(I, b, c, d, a, x[5], 0xfc93a039, 21);
    MD5_STEP(I, a, b, c, d, x[12], 0x655b59c3, 6);
    MD5_STEP(I, d, a, b, c, x[3], 0x8f0ccc92, 10);
    MD5_STEP(I, c, d, a, b, x[10], 0xffeff47d, 15);
    MD5_STEP(I, b, c, d, a, x[1], 0x85845dd1, 21);
    MD5_STEP(I, a, b, c, d, x[8], 0x6fa87e4f, 6);
    MD5_STEP(I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
    MD5_STEP(I, c, d, a, b, x[6], 0xa3014314, 15);
    MD5_STEP(I, b, c, d, a, x[13], 0x4e0811a1, 21);
    MD5_STEP(I, a, b, c, d, x[4], 0xf7537e82, 6);
    MD5_STEP(I, d, a, b, c, x[11], 0xbd3af235, 10);
    MD5_STEP(I, c, d, a, b, x[2], 0x2ad7d2bb, 15);
    MD5_STEP(I, b, c, d, a, x[9], 0xeb86d391, 21);

    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

#undef MD5_STEP

void Md5::Update(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t used = static_cast<size_t>(length_ % 64);
    length_ += size;
    if (used) {
        const size_t take = std::min(size, 64 - used);
        std::memcpy(buffer_ + used, bytes, take);
        bytes += take;
        size -= take;
        if (used + take < 64) return;
        Transform(buffer_);
    }
    for (; size >= 64; bytes += 64, size -= 64) Transform(bytes);
    if (size) std::memcpy(buffer_, bytes, size);
}

Md5::Digest Md5::Final() {
    // Padding: a 1 bit, zeros up to 56 bytes mod 64, then the bit length.
    const uint64_t bits = length_ * 8;
    static constexpr uint8_t kPadding[64] = {0x80};
    const size_t used = static_cast<size_t>(length_ % 64);
    Update(kPadding, used < 56 ? 56 - used : 120 - used);
    uint8_t lengthBytes[8];
    for (int i = 0; i < 8; ++i) lengthBytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    Update(lengthBytes, sizeof lengthBytes);
    Digest digest;
    for (int i = 0; i < 16; ++i) digest[i] = static_cast<uint8_t>(state_[i / 4] >> (8 * (i % 4)));
    return digest;
}

std::string Md5::ToHex(const Digest& digest) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

std::string Md5::Of(std::string_view data) {
    Md5 md5;
    md5.Update(data.data(), data.size());
    return ToHex(md5.Final());
}

std::string GetFileMd5(const std::string& path) {
    if (path.empty()) return {};
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return {};
    // 64 KiB blocks rather than 1,024 bytes: the digest is the same, and
    // large reads skip the stream's own 4 KiB buffer and its extra copy, which
    // on a package of hundreds of megabytes is measurably faster (bench/md5).
    Md5 md5;
    std::vector<unsigned char> block(kFileBlockBytes);
    size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), file.get())) > 0)
        md5.Update(block.data(), n);
    // A read error is no digest of the file: report none rather than a wrong one.
    if (std::ferror(file.get())) return {};
    return Md5::ToHex(md5.Final());
}

}  // namespace Utils
