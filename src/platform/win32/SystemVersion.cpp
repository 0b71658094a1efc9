#include <windows.h>

#include "platform/SystemVersion.h"

namespace platform {

SystemVersion QuerySystemVersion() {
    SystemVersion version;
    version.family = L"Windows";
    HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
    if (!ntdll) return version;
    version.ntdllLoaded = true;
    using Query = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
    if (query) {
        DWORD major = 0, minor = 0, build = 0;
        query(&major, &minor, &build);
        version.major = major;
        version.minor = minor;
        version.build = build;
    }
    version.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    FreeLibrary(ntdll);
    return version;
}

}  // namespace platform
