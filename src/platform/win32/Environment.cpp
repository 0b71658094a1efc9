#include <windows.h>

#include "platform/Environment.h"

namespace platform {

std::optional<std::wstring> EnvironmentValue(const std::wstring& name) {
    DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::wstring();
    }
    std::wstring value(size, L'\0');
    DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

bool SetEnvironmentValue(const std::wstring& name, const std::optional<std::wstring>& value) {
    return SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr) != 0;
}

}  // namespace platform
