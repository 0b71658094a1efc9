#include "utils/Folders.h"

#include "platform/Folders.h"
#include "platform/Paths.h"

namespace Utils {
namespace {

constexpr size_t kMaxPath = 260;

// Another process may create the same level at the same moment; that counts.
bool EnsureFolder(const std::wstring& path) {
    return platform::DirectoryExists(path) || platform::CreateFolder(path) ||
           platform::DirectoryExists(path);
}

}  // namespace

std::wstring GetInstallerTempDir() {
    const std::wstring temp = platform::TempFolder();
    if (temp.empty()) return {};
    const std::wstring folder = temp + L"~VarenTemp.92482B06FB471E17";
    if (!platform::ClaimPrivateFolder(folder)) return {};
    return folder + platform::kPathSeparator;
}

bool MakeDirectories(const std::wstring& path) {
    if (path.size() > kMaxPath) return false;
    size_t last = std::wstring::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (!platform::IsPathSeparator(path[i])) continue;
        last = i;
        if (!EnsureFolder(path.substr(0, i + 1))) return false;
    }
    const bool moreAfterLast = last == std::wstring::npos ? !path.empty() : last + 1 < path.size();
    return !moreAfterLast || EnsureFolder(path);
}

}  // namespace Utils
