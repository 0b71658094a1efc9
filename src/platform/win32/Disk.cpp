#include <windows.h>

#include "platform/Disk.h"

namespace platform {

bool QueryDiskSpace(const std::wstring& folder, DiskSpace& space, long& errorCode) {
    ULARGE_INTEGER available = {}, total = {}, free = {};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free)) {
        errorCode = static_cast<long>(GetLastError());
        return false;
    }
    space.freeBytesAvailable = available.QuadPart;
    space.totalBytes = total.QuadPart;
    space.totalFreeBytes = free.QuadPart;
    return true;
}

}  // namespace platform
