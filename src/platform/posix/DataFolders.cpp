#include "platform/DataFolders.h"
#include "platform/Environment.h"

namespace platform {
namespace {

// An XDG base folder: the variable when it holds an absolute path (the
// specification says to ignore relative ones), else the home folder's default.
std::wstring XdgFolder(const wchar_t* variable, const wchar_t* homeDefault) {
    const std::wstring value = EnvironmentValue(variable).value_or(L"");
    if (!value.empty() && value.front() == L'/') return value;
    const std::wstring home = EnvironmentValue(L"HOME").value_or(L"");
    if (home.empty() || home.front() != L'/') return {};
    return home + L"/" + homeDefault;
}

}  // namespace

std::wstring LocalAppDataFolder() {
    return XdgFolder(L"XDG_DATA_HOME", L".local/share");
}

std::wstring RoamingAppDataFolder() {
    return XdgFolder(L"XDG_CONFIG_HOME", L".config");
}

std::wstring SharedDocumentsFolder() {
    return L"/var/tmp";
}

}  // namespace platform
