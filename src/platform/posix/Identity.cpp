#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <string_view>
#include <vector>

#include "platform/Environment.h"
#include "platform/Identity.h"
#include "platform/Text.h"

namespace platform {

bool IsProcessAdmin() {
    return ::geteuid() == 0;
}

bool IsAccountAdmin(const std::wstring& userName) {
    const std::string name = ToUtf8(userName);
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return false;
    }
    if (found->pw_uid == 0) return true;
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (::getgrouplist(name.c_str(), found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(name.c_str(), found->pw_gid, groups.data(), &count) < 0) return false;
    }
    groups.resize(static_cast<size_t>(count));
    std::vector<char> groupBuffer(16384);
    for (gid_t id : groups) {
        group info{};
        group* known = nullptr;
        if (::getgrgid_r(id, &info, groupBuffer.data(), groupBuffer.size(), &known) != 0 || !known)
            continue;
        std::string_view groupName = known->gr_name;
        if (groupName == "sudo" || groupName == "wheel" || groupName == "admin") return true;
    }
    return false;
}

bool ConsoleUserName(std::wstring& userName) {
    std::wstring user = EnvironmentValue(L"USER").value_or(L"");
    if (user.empty()) {
        passwd entry{};
        passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
            return false;
        }
        user = FromUtf8(found->pw_name);
    }
    userName = user;
    return true;
}

}  // namespace platform
