#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct SystemVersion {
    std::wstring family;  // "Windows" or "Linux"
    // Windows: what RtlGetNtVersionNumbers reported (build as delivered, flag
    // bits included); zeros when ntdll.dll or the function is missing.
    bool ntdllLoaded = false;
    uint32_t major = 0, minor = 0, build = 0;
    bool serverR2 = false;  // GetSystemMetrics(SM_SERVERR2)
    // Elsewhere: the kernel release.
    std::wstring release;
};

SystemVersion QuerySystemVersion();

}  // namespace platform
