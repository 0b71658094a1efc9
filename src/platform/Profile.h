#pragma once
// INI profile files, with the observable rules of the Win32 profile functions:
// section and key names match case-insensitively and trimmed; values come back
// trimmed, with one pair of surrounding quotes (double or single) removed and
// cut to bufferSize - 1 characters; the default when the file, the section or
// the key is missing. Of repeated sections and keys the first one counts.
#include <cstddef>
#include <string>

namespace platform {

std::wstring ReadProfileString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue, const std::wstring& file,
                               size_t bufferSize);

// The value read as an integer: leading blanks, a sign and a 0x/0o/0b prefix
// allowed, the digits up to the first other character; defaultValue when the
// value is missing or empty.
int ReadProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                   const std::wstring& file);

bool FileExists(const std::wstring& path);

}  // namespace platform
