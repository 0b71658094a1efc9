#pragma once
// The file operations of the pipeline on the package and the uninstaller
// copy, by wide path.
#include <string>

// Copies the file, replacing the target; false when it cannot.
bool CopyFileOver(const std::wstring& from, const std::wstring& to);
// False when the file was there and could not be removed.
bool DeleteProgramFile(const std::wstring& path);
// Lets the owner alone read, write and run the file, so that a downloaded
// program can be started (where the system keeps such rights per file).
bool MakeOwnerExecutable(const std::wstring& path);
