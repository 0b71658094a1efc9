#include "analytics/tracker/TrackerFiles.h"

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "utils/Folders.h"

namespace varen::tracking {

std::filesystem::path NativePath(const std::string& utf8Path) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
}

std::wstring WidePath(const std::string& utf8Path) {
    return platform::FromUtf8(utf8Path);
}

std::string JoinUtf8Path(const std::string& folder, const std::string& name) {
    return platform::ToUtf8(platform::JoinPath(WidePath(folder), WidePath(name)));
}

bool CreateFolderPath(const std::string& path) {
    std::wstring folder = WidePath(path);
    if (folder.empty()) return false;
    if (platform::DirectoryExists(folder)) return true;
    for (auto& c : folder) {
        if (c == L'/') c = platform::kPathSeparator;
    }
    return Utils::MakeDirectories(folder);
}

}  // namespace varen::tracking
