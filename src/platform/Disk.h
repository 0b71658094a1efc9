#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct DiskSpace {
    uint64_t freeBytesAvailable = 0;  // to the calling user
    uint64_t totalBytes = 0;
    uint64_t totalFreeBytes = 0;
};

// The volume that holds the folder (Win32: GetDiskFreeSpaceExW; POSIX:
// statvfs). On failure returns false with the system's error code.
bool QueryDiskSpace(const std::wstring& folder, DiskSpace& space, long& errorCode);

}  // namespace platform
