#pragma once
// Where the installer records an installation (two values of the product's
// registry key) and how it finds the copy to remove.
#include <string>

struct OldInstallation {
    std::wstring installDir;      // may be empty
    std::wstring uninstallEntry;  // the uninstall entry file; may be empty
};

// The recorded copy; an entry that was never recorded is taken to be
// "uninst.ep" in the recorded folder.
OldInstallation FindOldInstallation();

// True when the old copy is to stay: the chosen folder is the old folder
// itself and its "set.ini" says IsOverride=false in section "Uninstall".
bool KeepOldInstallation(const std::wstring& oldInstallDir, const std::wstring& chosenDir);

// Records the folder and, when that file exists, the uninstall entry the
// package reported (or "uninst.ep" in the folder when it reported none).
void RecordInstallation(const std::wstring& installDir, const std::wstring& uninstallEntry);
