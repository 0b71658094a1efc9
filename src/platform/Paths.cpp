#include "platform/Paths.h"

namespace platform {

bool IsPathSeparator(wchar_t c) {
#ifdef _WIN32
    return c == L'\\' || c == L'/';
#else
    return c == L'/';
#endif
}

namespace {
size_t LastSeparator(const std::wstring& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) return i - 1;
    }
    return std::wstring::npos;
}
}  // namespace

std::wstring FileNamePart(const std::wstring& path) {
    size_t separator = LastSeparator(path);
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring FolderPart(const std::wstring& path) {
    size_t separator = LastSeparator(path);
    if (separator == std::wstring::npos) return {};
    return path.substr(0, separator == 0 ? 1 : separator);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (IsPathSeparator(folder.back())) return folder + name;
    return folder + kPathSeparator + name;
}

}  // namespace platform
