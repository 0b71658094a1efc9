#include <sys/utsname.h>

#include <cstring>

#include "platform/DeviceInfo.h"
#include "platform/Environment.h"
#include "platform/Text.h"

namespace platform {

bool IsSystem64Bit() {
    utsname names{};
    if (::uname(&names) != 0) return sizeof(void*) == 8;
    return std::strstr(names.machine, "64") != nullptr || std::strcmp(names.machine, "s390x") == 0;
}

bool UserLocaleCodes(std::string& language, std::string& country) {
    language.clear();
    country.clear();
    // The first variable that is set decides, as for the C library's own lookup.
    std::string name;
    for (const wchar_t* variable : {L"LC_ALL", L"LC_MESSAGES", L"LANG"}) {
        name = ToUtf8(EnvironmentValue(variable).value_or(L""));
        if (!name.empty()) break;
    }
    // language[_COUNTRY][.codeset][@modifier]
    const size_t end = name.find_first_of(".@");
    const std::string tag = name.substr(0, end);
    const size_t underscore = tag.find('_');
    if (underscore == 0 || underscore == std::string::npos || underscore + 1 == tag.size()) {
        return false;
    }
    language = tag.substr(0, underscore);
    country = tag.substr(underscore + 1);
    return true;
}

void PrimaryScreenSize(int& width, int& height) {
    width = 0;
    height = 0;
}

}  // namespace platform
