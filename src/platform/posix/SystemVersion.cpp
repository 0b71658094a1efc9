#include <sys/utsname.h>

#include "platform/SystemVersion.h"
#include "platform/Text.h"

namespace platform {

SystemVersion QuerySystemVersion() {
    SystemVersion version;
    version.family = L"Linux";
    utsname names{};
    if (::uname(&names) == 0) version.release = FromUtf8(names.release);
    return version;
}

}  // namespace platform
