#pragma once
#include <cstdint>
#include <string>

namespace Utils {

// The space of the volume that holds a folder; the caller compares the counts
// with its own threshold.
class HardDiskManager {
public:
    virtual ~HardDiskManager() = default;

    // Fills the three counts and returns true; on failure logs the system's
    // error code and returns false.
    bool CheckFreeSpace(const std::wstring& directory);

    uint64_t freeBytesAvailable = 0;  // to the calling user
    uint64_t totalBytes = 0;
    uint64_t totalFreeBytes = 0;
};

}  // namespace Utils
