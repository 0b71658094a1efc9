#include "utils/HardDiskManager.h"

#include "platform/Disk.h"
#include "utils/DebugLog.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& directory) {
    platform::DiskSpace space;
    long code = 0;
    if (!platform::QueryDiskSpace(directory, space, code)) {
        DEBUG_LOG(L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n", code);
        return false;
    }
    freeBytesAvailable = space.freeBytesAvailable;
    totalBytes = space.totalBytes;
    totalFreeBytes = space.totalFreeBytes;
    return true;
}

}  // namespace Utils
