#include <windows.h>

#include <algorithm>

#include "skinui/platform/FileAccess.h"

namespace SkinUI::platform {
namespace {

class Win32File : public ReadOnlyFile {
public:
    Win32File(HANDLE file, uint64_t size) : file_(file), size_(size) {}
    ~Win32File() override { CloseHandle(file_); }
    uint64_t Size() const override { return size_; }
    size_t Read(void* buffer, size_t size) override {
        size_t total = 0;
        auto* bytes = static_cast<char*>(buffer);
        while (total < size) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - total, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(file_, bytes + total, chunk, &got, nullptr) || got == 0) break;
            total += got;
        }
        return total;
    }

private:
    HANDLE file_;
    uint64_t size_;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> OpenReadOnlyFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<Win32File>(file, static_cast<uint64_t>(size.QuadPart));
}

}  // namespace SkinUI::platform
