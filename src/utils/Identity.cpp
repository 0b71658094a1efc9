#include "utils/Identity.h"

#include "platform/Identity.h"

namespace Utils {

bool IsAdmin() {
    return platform::IsProcessAdmin();
}

bool IsUserAdmin(const std::wstring& userName) {
    return platform::IsAccountAdmin(userName);
}

bool GetConsoleUserName(std::wstring& userName) {
    return platform::ConsoleUserName(userName);
}

}  // namespace Utils
