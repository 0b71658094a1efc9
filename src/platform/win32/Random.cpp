#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>

#include <cstring>

#include "platform/Random.h"

namespace platform {

bool NewGuid(Guid& guid) {
    GUID made;
    if (FAILED(CoCreateGuid(&made))) return false;
    guid.data1 = made.Data1;
    guid.data2 = made.Data2;
    guid.data3 = made.Data3;
    std::memcpy(guid.data4, made.Data4, sizeof guid.data4);
    return true;
}

}  // namespace platform
