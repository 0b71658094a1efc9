#pragma once
#include <string>

namespace Utils {

// The installer's private folder in the system's temporary folder, ending in a
// separator; created (one level) when missing. Empty when it can be neither
// found nor created, and when it is not this user's alone (see
// platform::ClaimPrivateFolder).
std::wstring GetInstallerTempDir();

// Creates every missing folder of the path, level by level from the left;
// the last component is a folder too. False for a path longer than 260
// characters and as soon as a level cannot be created (a file in its place
// included).
bool MakeDirectories(const std::wstring& path);

}  // namespace Utils
