#include "pipeline/ProgramFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Text.h"

namespace {

namespace fs = std::filesystem;

fs::path NativePath(const std::wstring& path) {
    const std::string utf8 = platform::ToUtf8(path);
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

}  // namespace

// Copied through streams: the MinGW library takes any two files of a drive for
// one and the same, and so refuses to copy over an existing one.
bool CopyFileOver(const std::wstring& from, const std::wstring& to) {
    if (from.empty() || to.empty()) return false;
    std::ifstream in(NativePath(from), std::ios::binary);
    if (!in) return false;
    std::ofstream out(NativePath(to), std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    return static_cast<bool>(out.flush());
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
