#include <windows.h>
// The account and session interfaces need windows.h first.
#include <lm.h>
#include <wtsapi32.h>

#include "platform/Identity.h"

namespace platform {

bool IsProcessAdmin() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        return false;
    }
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

bool IsAccountAdmin(const std::wstring& userName) {
    LPBYTE buffer = nullptr;
    if (NetUserGetInfo(nullptr, userName.c_str(), 1, &buffer) != NERR_Success || !buffer) {
        return false;
    }
    const bool admin = reinterpret_cast<USER_INFO_1*>(buffer)->usri1_priv == USER_PRIV_ADMIN;
    NetApiBufferFree(buffer);
    return admin;
}

bool ConsoleUserName(std::wstring& userName) {
    LPWSTR name = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTSGetActiveConsoleSessionId(),
                                     WTSUserName, &name, &bytes) ||
        !name) {
        return false;
    }
    userName = name;
    WTSFreeMemory(name);
    return true;
}

}  // namespace platform
