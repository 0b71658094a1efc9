#pragma once
#include <string>

namespace platform {

// The current user's local (non-roaming) application data folder (Win32:
// CSIDL_LOCAL_APPDATA in its short 8.3 form, so narrow calls can take it;
// POSIX: $XDG_DATA_HOME, else $HOME/.local/share). Empty when unknown.
std::wstring LocalAppDataFolder();
// The current user's roaming application data folder (Win32: the APPDATA
// variable; POSIX: $XDG_CONFIG_HOME, else $HOME/.config). Empty when unknown.
std::wstring RoamingAppDataFolder();
// The documents folder shared by all users (Win32: CSIDL_COMMON_DOCUMENTS in
// its short form; POSIX: /var/tmp). Empty when unknown.
std::wstring SharedDocumentsFolder();

}  // namespace platform
