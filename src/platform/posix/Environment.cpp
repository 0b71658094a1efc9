#include <stdlib.h>

#include "platform/Environment.h"
#include "platform/Text.h"

namespace platform {

std::optional<std::wstring> EnvironmentValue(const std::wstring& name) {
    const char* value = ::getenv(ToUtf8(name).c_str());
    if (!value) return std::nullopt;
    return FromUtf8(value);
}

bool SetEnvironmentValue(const std::wstring& name, const std::optional<std::wstring>& value) {
    if (!value) return ::unsetenv(ToUtf8(name).c_str()) == 0;
    return ::setenv(ToUtf8(name).c_str(), ToUtf8(*value).c_str(), 1) == 0;
}

}  // namespace platform
