#pragma once
#include <optional>
#include <string>

namespace platform {

std::optional<std::wstring> GetEnvironmentVariable(const std::wstring& name);
// Changes the variable for this process and the children it starts afterwards;
// no value removes it.
bool SetEnvironmentVariable(const std::wstring& name, const std::optional<std::wstring>& value);

}  // namespace platform
