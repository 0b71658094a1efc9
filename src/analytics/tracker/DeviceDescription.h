#pragma once
// How the tracker describes the machine: operating system, user agent,
// locale, and the base folder of its own files.
#include <cstdint>
#include <string>

namespace varen::tracking {

struct OsNameAndVersion {
    std::string name;     // "Windows", or the system's family elsewhere
    std::string version;  // "10", "7-32", ... or the kernel release
};

// The version text of an NT version: "XP", "7" or "7-32", "11", ... The build
// counts with its low 16 bits only; known is false when the numbers could not
// be read at all.
std::string WindowsVersionText(bool known, uint32_t major, uint32_t minor, uint32_t build,
                               bool is64Bit, bool serverR2);

OsNameAndVersion GetOsNameAndVersion();

// "Mozilla/5.0(<name> <version>; Win64;)" or "...; Win32;)".
std::string UserAgentFor(const OsNameAndVersion& os, bool is64Bit);
std::string GetUserAgent();

struct LocaleTexts {
    std::string language, country, locale;  // all empty when unknown
};
LocaleTexts GetLocale();

// The base of the tracker's folder: the user's local application data on NT
// 6.1 and later (and elsewhere), the shared documents before; empty when unknown.
std::string GetSpecialFolder();

}  // namespace varen::tracking
