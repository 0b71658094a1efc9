#include "utils/Guid.h"

#include "platform/Random.h"
#include "utils/Format.h"

namespace Utils {

std::wstring NewGuidString() {
    platform::Guid guid;
    if (!platform::NewGuid(guid)) return {};
    const uint8_t* d = guid.data4;
    return FormatWide(
        L"%08X%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X",
        {guid.data1, guid.data2, guid.data3, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]});
}

}  // namespace Utils
