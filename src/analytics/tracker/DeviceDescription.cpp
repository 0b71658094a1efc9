#include "analytics/tracker/DeviceDescription.h"

#include "platform/DataFolders.h"
#include "platform/DeviceInfo.h"
#include "platform/SystemVersion.h"
#include "platform/Text.h"

namespace varen::tracking {

std::string WindowsVersionText(bool known, uint32_t major, uint32_t minor, uint32_t build,
                               bool is64Bit, bool serverR2) {
    build &= 0xFFFF;  // the high bits are flags
    if (!known || major <= 4) return "XP-";
    if (major == 5) {
        if (minor == 0) return "2K";
        if (minor == 1) return "XP";
        if (minor == 2) return is64Bit ? "XP64" : serverR2 ? "Server 2003 R2" : "Server 2003";
        return "XP+";
    }
    if (major == 6) {
        switch (minor) {
            case 0:
                return is64Bit ? "Vista64" : "Vista";
            case 1:
                return is64Bit ? "7" : "7-32";
            case 2:
                return is64Bit ? "8" : "8-32";
            case 3:
                return "8.1";
            default:
                return "8.1+";
        }
    }
    if (major == 10 && minor == 0) return build < 22000 ? "10" : "11";
    if (major >= 10) return "11+";
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

OsNameAndVersion GetOsNameAndVersion() {
    const platform::SystemVersion system = platform::QuerySystemVersion();
    OsNameAndVersion os{platform::ToUtf8(system.family), {}};
    if (system.family != L"Windows") {
        os.version = platform::ToUtf8(system.release);
        return os;
    }
    // A missing RtlGetNtVersionNumbers leaves the numbers at zero.
    const bool known = system.ntdllLoaded && system.major != 0;
    os.version = WindowsVersionText(known, system.major, system.minor, system.build,
                                    platform::IsSystem64Bit(), system.serverR2);
    return os;
}

std::string UserAgentFor(const OsNameAndVersion& os, bool is64Bit) {
    return "Mozilla/5.0(" + os.name + " " + os.version + "; Win" + (is64Bit ? "64;)" : "32;)");
}

std::string GetUserAgent() {
    return UserAgentFor(GetOsNameAndVersion(), platform::IsSystem64Bit());
}

LocaleTexts GetLocale() {
    LocaleTexts texts;
    if (platform::UserLocaleCodes(texts.language, texts.country)) {
        texts.locale = texts.language + "_" + texts.country;
    }
    return texts;
}

std::string GetSpecialFolder() {
    const platform::SystemVersion system = platform::QuerySystemVersion();
    const bool oldWindows = system.family == L"Windows" &&
                            !(system.major > 6 || (system.major == 6 && system.minor >= 1));
    return platform::ToUtf8(oldWindows ? platform::SharedDocumentsFolder()
                                       : platform::LocalAppDataFolder());
}

}  // namespace varen::tracking
