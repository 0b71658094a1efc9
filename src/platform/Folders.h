#pragma once
#include <string>

namespace platform {

// The system's temporary folder, ending in a separator (Win32: GetTempPathW;
// POSIX: $TMPDIR, else /tmp). Empty when it cannot be read.
std::wstring TempFolder();
bool DirectoryExists(const std::wstring& path);
// Creates one folder level; false when it cannot (its parent missing, a file
// or folder of that name already there, no rights).
bool CreateFolder(const std::wstring& path);

// Makes sure that the folder exists and that only the current user can change
// what is in it. POSIX: created with access for this user alone; an existing
// one counts only when it is a real folder (no link) owned by this user, and
// its access is then narrowed to the user. Win32: the folder exists or is
// created (the user's temporary folder is private already).
bool ClaimPrivateFolder(const std::wstring& path);

}  // namespace platform
