#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/Text.h"

namespace platform {

std::wstring TempFolder() {
    std::wstring folder = EnvironmentValue(L"TMPDIR").value_or(L"");
    if (folder.empty()) folder = L"/tmp";
    if (folder.back() != L'/') folder += L'/';
    return folder;
}

bool DirectoryExists(const std::wstring& path) {
    struct stat info {};
    return ::stat(ToUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::wstring& path) {
    return ::mkdir(ToUtf8(path).c_str(), 0777) == 0;
}

bool ClaimPrivateFolder(const std::wstring& path) {
    const std::string native = ToUtf8(path);
    if (::mkdir(native.c_str(), 0700) == 0) return true;
    if (errno != EEXIST) return false;
    // A shared temporary folder lets anyone make this name first, as a link
    // or with open access, and swap the programs the installer puts there.
    struct stat info {};
    if (::lstat(native.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid()) {
        return false;
    }
    return (info.st_mode & 077) == 0 || ::chmod(native.c_str(), 0700) == 0;
}

}  // namespace platform
