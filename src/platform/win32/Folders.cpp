#include <windows.h>

#include "platform/Folders.h"

namespace platform {

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return std::wstring(buffer, n);
}

bool DirectoryExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool ClaimPrivateFolder(const std::wstring& path) {
    return DirectoryExists(path) || CreateFolder(path) || DirectoryExists(path);
}

}  // namespace platform
