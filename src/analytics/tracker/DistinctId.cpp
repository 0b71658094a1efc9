#include "analytics/tracker/DistinctId.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

namespace varen::tracking {
namespace {

constexpr int kGuidTries = 10;

std::string FormatGuid(const platform::Guid& g) {
    const uint8_t* d = g.data4;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(g.data1), g.data2, g.data3, d[0], d[1], d[2], d[3], d[4],
                  d[5], d[6], d[7]);
    return buffer;
}

// Seeded from the system's entropy and the clock: with the generator's fixed
// default seed every machine without GUIDs would make the same ids, and their
// users would count as one.
std::mt19937 SeededGenerator() {
    std::random_device device;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(now),
                       static_cast<unsigned>(static_cast<uint64_t>(now) >> 32)};
    return std::mt19937(seed);
}

std::string PseudoRandomId() {
    static std::mutex lock;
    static std::mt19937 generator = SeededGenerator();
    std::uniform_int_distribution<int> draw(0, 2147483646);
    unsigned d[9];
    {
        std::lock_guard<std::mutex> guard(lock);
        for (int i = 1; i <= 8; ++i) d[i] = static_cast<unsigned>(draw(generator));
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%x%x-%x-%x-%x-%x%x%x", d[8], d[7], d[6],
                  (d[5] & 0xfffu) | 0x4000u, (d[4] % 0x3fffu) + 0x8000u, d[3], d[2], d[1]);
    return buffer;
}

}  // namespace

std::string NewDistinctId(GuidSource source) {
    platform::Guid guid;
    // Only the answers after the first one count.
    source(guid);
    for (int failures = 0; failures < kGuidTries; ++failures) {
        if (source(guid)) return FormatGuid(guid);
    }
    return PseudoRandomId();
}

}  // namespace varen::tracking
