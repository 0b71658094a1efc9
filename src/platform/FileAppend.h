#pragma once
#include <string>

namespace platform {

// Appends the whole of one file to the end of another, which must exist (it
// is never created). Paths are in the narrow ANSI code page, as the C library
// takes them. Win32: ReadFile/WriteFile in large blocks; POSIX:
// copy_file_range, so the bytes need not pass through the program, with
// read/write where the file systems cannot do that. False when a file cannot
// be opened or a read or write fails.
bool AppendFile(const std::string& fromPath, const std::string& toPath);

}  // namespace platform
