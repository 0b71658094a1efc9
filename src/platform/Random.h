#pragma once
#include <cstdint>

namespace platform {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0, data3 = 0;
    uint8_t data4[8] = {};
};

// A new random GUID (Win32: CoCreateGuid; POSIX: 122 bits from the system's
// random source with the version 4 and variant bits that CoCreateGuid sets).
// False when no randomness could be had.
bool NewGuid(Guid& guid);

}  // namespace platform
