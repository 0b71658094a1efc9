#include "platform/Registry.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/Profile.h"

namespace platform {
namespace {

// "Software\VarenSoft\Quillmark" lives in $XDG_CONFIG_HOME/VarenSoft/Quillmark/.
std::wstring ConfigHome() {
    std::wstring home = EnvironmentValue(L"XDG_CONFIG_HOME").value_or(L"");
    if (!home.empty()) return home;
    return EnvironmentValue(L"HOME").value_or(L"") + L"/.config";
}

std::wstring KeyFolder(const std::wstring& keyPath) {
    std::wstring relative = keyPath;
    const std::wstring software = L"Software\\";
    if (relative.compare(0, software.size(), software) == 0) relative.erase(0, software.size());
    std::wstring folder = ConfigHome() + L"/";
    for (wchar_t c : relative) folder += c == L'\\' ? L'/' : c;
    return folder;
}

std::wstring KeyFile(const std::wstring& keyPath) {
    return KeyFolder(keyPath) + L"/registry.ini";
}

bool MakeFolders(const std::wstring& path) {
    for (size_t at = path.find(L'/', 1);; at = path.find(L'/', at + 1)) {
        const std::wstring prefix = path.substr(0, at);
        if (!DirectoryExists(prefix) && !CreateFolder(prefix) && !DirectoryExists(prefix)) {
            return false;
        }
        if (at == std::wstring::npos) return true;
    }
}

}  // namespace

bool RegistryWriteString(const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text) {
    if (!MakeFolders(KeyFolder(keyPath))) return false;
    // Quoted, so that blanks around the text survive the reader's trimming.
    return WriteProfileString(keyPath, valueName, L"\"" + text + L"\"", KeyFile(keyPath));
}

bool RegistryReadString(const std::wstring& keyPath, const std::wstring& valueName, uint32_t& type,
                        std::wstring& text) {
    // No stored value holds a line feed, so this default marks a missing one.
    const std::wstring missing = L"\n";
    std::wstring value = ReadProfileString(keyPath, valueName, missing, KeyFile(keyPath), 1 << 24);
    if (value == missing) return false;
    type = kRegistryString;
    text = value;
    return true;
}

}  // namespace platform
