#pragma once
// INI profile files, with the observable rules of the Win32 profile functions:
// section and key names match case-insensitively and trimmed; values come back
// trimmed, with one pair of surrounding quotes (double or single) removed and
// cut to bufferSize - 1 characters; the default when the file, the section or
// the key is missing. Of repeated sections and keys the first one counts.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

std::wstring ReadProfileString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue, const std::wstring& file,
                               size_t bufferSize);

// The value read as an integer: leading blanks, a sign and a 0x/0o/0b prefix
// allowed, the digits up to the first other character; defaultValue when the
// value is missing or empty.
int ReadProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                   const std::wstring& file);

// Stores key=value in the section, as WritePrivateProfileStringW does: creates
// the file (not its folder), the section (appended at the end) and the key
// (after the section's last entry) when missing, replaces the first matching
// key, and leaves every other line as it was. Section and key are written
// trimmed. False when the file cannot be written, and for a name or value with
// a line break or NUL, which would forge other entries of the file.
bool WriteProfileString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file);

// What WriteProfileString accepts: no line break or NUL anywhere, and a key
// that is not blank, holds no "=" and does not start with "[".
bool CanStoreProfileEntry(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value);

bool FileExists(const std::wstring& path);

}  // namespace platform
