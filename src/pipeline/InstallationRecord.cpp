#include "pipeline/InstallationRecord.h"

#include <algorithm>
#include <cwctype>

#include "platform/Paths.h"
#include "platform/Profile.h"
#include "utils/Registry.h"

namespace {

const wchar_t kInstallPathValue[] = L"InstallPath";
const wchar_t kUninstallEntryValue[] = L"UnInstallEp";
const wchar_t kUninstallEntryName[] = L"uninst.ep";

std::wstring ReadValue(const wchar_t* name) {
    uint32_t type = 0;
    std::wstring text;
    return Utils::ReadRegString(name, type, text) ? text : std::wstring();
}

// A folder as a comparable text: one kind of separator, none at the end, and
// on Windows without regard to case, as its file system matches names.
std::wstring FolderKey(std::wstring folder) {
    for (auto& c : folder) {
        if (platform::IsPathSeparator(c)) c = platform::kPathSeparator;
    }
    while (folder.size() > 1 && folder.back() == platform::kPathSeparator) folder.pop_back();
#ifdef _WIN32
    std::transform(folder.begin(), folder.end(), folder.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
#endif
    return folder;
}

}  // namespace

OldInstallation FindOldInstallation() {
    OldInstallation old;
    old.installDir = ReadValue(kInstallPathValue);
    old.uninstallEntry = ReadValue(kUninstallEntryValue);
    if (old.uninstallEntry.empty() && !old.installDir.empty()) {
        old.uninstallEntry = platform::JoinPath(old.installDir, kUninstallEntryName);
    }
    return old;
}

bool KeepOldInstallation(const std::wstring& oldInstallDir, const std::wstring& chosenDir) {
    if (oldInstallDir.empty() || chosenDir.empty()) return false;
    if (FolderKey(oldInstallDir) != FolderKey(chosenDir)) return false;
    const std::wstring setIni = platform::JoinPath(chosenDir, L"set.ini");
    return platform::ReadProfileString(L"Uninstall", L"IsOverride", L"true", setIni, 20) ==
           L"false";
}

void RecordInstallation(const std::wstring& installDir, const std::wstring& uninstallEntry) {
    Utils::WriteRegString(kInstallPathValue, installDir);
    const std::wstring entry = uninstallEntry.empty()
                                   ? platform::JoinPath(installDir, kUninstallEntryName)
                                   : uninstallEntry;
    if (platform::FileExists(entry)) Utils::WriteRegString(kUninstallEntryValue, entry);
}
