#include <windows.h>

#include <vector>

#include "platform/Registry.h"

namespace platform {

bool RegistryWriteString(const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // The length counts the characters only: no terminating NUL is stored.
    const LONG result = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool RegistryReadString(const std::wstring& keyPath, const std::wstring& valueName, uint32_t& type,
                        std::wstring& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD valueType = 0, bytes = 0;
    bool ok = RegQueryValueExW(key, valueName.c_str(), nullptr, &valueType, nullptr, &bytes) ==
              ERROR_SUCCESS;
    // Room for a NUL the stored value may lack; the zero fill provides it.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
    if (ok) {
        DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        ok = RegQueryValueExW(key, valueName.c_str(), nullptr, &valueType,
                              reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    if (!ok) return false;
    type = valueType;
    text = buffer.data();
    return true;
}

}  // namespace platform
