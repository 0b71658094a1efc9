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

}  // namespace platform
