#pragma once
// String values under a key of the current user (Win32: HKEY_CURRENT_USER;
// POSIX: the INI file $XDG_CONFIG_HOME/<key path below "Software">/registry.ini,
// default ~/.config, one section named by the key path).
#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t kRegistryString = 1;  // REG_SZ

// Creates the key when needed and stores the text as a string value. False when
// the key cannot be written; on POSIX also for text with a line break or NUL,
// which the file cannot hold.
bool RegistryWriteString(const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text);
// The value's type and its text (up to the first NUL). False when the key or
// the value cannot be read.
bool RegistryReadString(const std::wstring& keyPath, const std::wstring& valueName, uint32_t& type,
                        std::wstring& text);

}  // namespace platform
