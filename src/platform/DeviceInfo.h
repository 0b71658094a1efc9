#pragma once
#include <string>

namespace platform {

// Whether the operating system itself is 64-bit, whatever this program is
// (Win32: IsWow64Process when kernel32 has it and it says so, else the native
// processor architecture AMD64 or IA64; POSIX: the machine uname reports).
bool IsSystem64Bit();

// The user's language and country as ISO 639 and ISO 3166 codes (Win32:
// GetLocaleInfoA of the user default locale; POSIX: the language_COUNTRY part
// of $LC_ALL, $LC_MESSAGES or $LANG). False, leaving both empty, when either
// is unknown.
bool UserLocaleCodes(std::string& language, std::string& country);

// The primary screen's size in pixels (Win32: GetSystemMetrics SM_CXSCREEN and
// SM_CYSCREEN). POSIX has no display this layer knows of: 0 and 0.
void PrimaryScreenSize(int& width, int& height);

}  // namespace platform
