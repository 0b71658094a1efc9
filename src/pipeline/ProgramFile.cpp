#include "pipeline/ProgramFile.h"

#include <filesystem>
#include <system_error>

#include "platform/Text.h"

namespace {

namespace fs = std::filesystem;

fs::path NativePath(const std::wstring& path) {
    const std::string utf8 = platform::ToUtf8(path);
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

}  // namespace

bool CopyFileOver(const std::wstring& from, const std::wstring& to) {
    if (from.empty() || to.empty()) return false;
    std::error_code error;
    return fs::copy_file(NativePath(from), NativePath(to), fs::copy_options::overwrite_existing,
                         error);
}

bool DeleteProgramFile(const std::wstring& path) {
    std::error_code error;
    fs::remove(NativePath(path), error);
    return !error;
}

bool MakeOwnerExecutable(const std::wstring& path) {
    std::error_code error;
    fs::permissions(NativePath(path), fs::perms::owner_all, fs::perm_options::replace, error);
    return !error;
}
