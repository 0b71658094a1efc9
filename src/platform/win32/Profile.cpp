#include <windows.h>
#include <shlwapi.h>

#include <vector>

// windows.h names WriteProfileStringW so; ours is the function of Profile.h.
#undef WriteProfileString
#include "platform/Profile.h"

namespace platform {

std::wstring ReadProfileString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue, const std::wstring& file,
                               size_t bufferSize) {
    if (bufferSize == 0) return {};
    std::vector<wchar_t> buffer(bufferSize, L'\0');
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                       buffer.data(), static_cast<DWORD>(bufferSize),
                                       file.c_str());
    return std::wstring(buffer.data(), n);
}

int ReadProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                   const std::wstring& file) {
    return static_cast<int>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

bool WriteProfileString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file) {
    if (!CanStoreProfileEntry(section, key, value)) return false;
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

bool FileExists(const std::wstring& path) { return PathFileExistsW(path.c_str()) != FALSE; }

}  // namespace platform
