#include <sys/statvfs.h>

#include <cerrno>

#include "platform/Disk.h"
#include "platform/Text.h"

namespace platform {

bool QueryDiskSpace(const std::wstring& folder, DiskSpace& space, long& errorCode) {
    struct statvfs info {};
    if (::statvfs(ToUtf8(folder).c_str(), &info) != 0) {
        errorCode = errno;
        return false;
    }
    const uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
    space.freeBytesAvailable = static_cast<uint64_t>(info.f_bavail) * unit;
    space.totalBytes = static_cast<uint64_t>(info.f_blocks) * unit;
    space.totalFreeBytes = static_cast<uint64_t>(info.f_bfree) * unit;
    return true;
}

}  // namespace platform
