#pragma once
#include <string>

namespace platform {

// Whether the running process has administrator rights (Win32: the thread's
// token is a member of BUILTIN\Administrators; POSIX: effective uid 0).
bool IsProcessAdmin();
// Whether the local account is an administrator (Win32: NetUserGetInfo level 1
// privilege USER_PRIV_ADMIN; POSIX: uid 0 or a member of sudo, wheel or
// admin). False when the account cannot be read.
bool IsAccountAdmin(const std::wstring& userName);
// The user of the session at the physical console (Win32: WTSUserName of the
// active console session; POSIX: $USER, else the account of the real uid).
bool ConsoleUserName(std::wstring& userName);

}  // namespace platform
