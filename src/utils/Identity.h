#pragma once
#include <string>

namespace Utils {

// Whether this process runs with administrator rights; false on any failure.
bool IsAdmin();
// Whether the local account is an administrator; false when it cannot be read.
bool IsUserAdmin(const std::wstring& userName);
// The user of the session at the physical console. On failure returns false
// and leaves userName as it was.
bool GetConsoleUserName(std::wstring& userName);

}  // namespace Utils
