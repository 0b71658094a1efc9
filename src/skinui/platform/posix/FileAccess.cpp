#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"
#include "skinui/platform/FileAccess.h"

namespace SkinUI::platform {
namespace {

class PosixFile : public ReadOnlyFile {
public:
    PosixFile(FILE* file, uint64_t size) : file_(file), size_(size) {}
    ~PosixFile() override { std::fclose(file_); }
    uint64_t Size() const override { return size_; }
    size_t Read(void* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }

private:
    FILE* file_;
    uint64_t size_;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> OpenReadOnlyFile(const std::wstring& path) {
    // Skins name their files with "\" as on Win32; here that is "/".
    std::string native = ::platform::ToUtf8(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    FILE* file = std::fopen(native.c_str(), "rb");
    if (!file) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<PosixFile>(file, static_cast<uint64_t>(info.st_size));
}

}  // namespace SkinUI::platform
