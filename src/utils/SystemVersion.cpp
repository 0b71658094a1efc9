#include "utils/SystemVersion.h"

#include "platform/SystemVersion.h"

namespace Utils {

std::wstring WindowsVersionLabel(uint32_t major, uint32_t minor, uint32_t build, bool serverR2) {
    build &= 0xFFFF;  // the high bits are flags, not part of the number
    if (major <= 4) return L"XP-";
    if (major == 5) {
        if (minor == 0) return L"2K";
        if (minor == 1) return L"XP";
        if (minor == 2) return serverR2 ? L"Server 2003 R2" : L"Server 2003";
        return L"XP+";
    }
    if (major == 6) {
        static const wchar_t* const kLabels[] = {L"Vista", L"7", L"8", L"8.1"};
        return minor < 4 ? kLabels[minor] : L"8.1+";
    }
    if (major == 10) return minor == 0 ? L"10" : L"10+";
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(build);
}

void GetOsName(std::wstring& family, std::wstring& label) {
    const platform::SystemVersion version = platform::QuerySystemVersion();
    family = version.family;
    if (family != L"Windows") {
        label = version.release;
        return;
    }
    label = version.ntdllLoaded
                ? WindowsVersionLabel(version.major, version.minor, version.build, version.serverR2)
                : L"XP-";
}

}  // namespace Utils
