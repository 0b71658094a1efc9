#include <shlobj.h>
#include <windows.h>

#include "platform/DataFolders.h"
#include "platform/Environment.h"

namespace platform {
namespace {

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(buffer, n);
}

std::wstring SpecialFolder(int csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return {};
    wchar_t buffer[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(list, buffer) != 0;
    CoTaskMemFree(list);
    return found ? ShortPath(buffer) : std::wstring();
}

}  // namespace

std::wstring LocalAppDataFolder() {
    return SpecialFolder(CSIDL_LOCAL_APPDATA);
}

std::wstring RoamingAppDataFolder() {
    return EnvironmentValue(L"APPDATA").value_or(L"");
}

std::wstring SharedDocumentsFolder() {
    return SpecialFolder(CSIDL_COMMON_DOCUMENTS);
}

}  // namespace platform
