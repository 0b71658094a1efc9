#pragma once
#include <optional>
#include <string>

namespace platform {

std::optional<std::wstring> EnvironmentValue(const std::wstring& name);
// Changes the variable for this process and the children it starts afterwards;
// no value removes it.
bool SetEnvironmentValue(const std::wstring& name, const std::optional<std::wstring>& value);

}  // namespace platform
