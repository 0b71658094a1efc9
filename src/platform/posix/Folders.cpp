#include <sys/stat.h>

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

}  // namespace platform
