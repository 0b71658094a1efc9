#pragma once
// Whole-file access for the skin loader: the loader must know a file's size
// before it reads (to refuse large files unread), so opening and reading are
// separate steps.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace SkinUI::platform {

class ReadOnlyFile {
public:
    virtual ~ReadOnlyFile() = default;
    virtual uint64_t Size() const = 0;
    // Reads up to size bytes from the current position; returns how many came.
    virtual size_t Read(void* buffer, size_t size) = 0;
};

// Opens an existing file for reading, sharing read access with others; null
// when the file cannot be opened.
std::unique_ptr<ReadOnlyFile> OpenReadOnlyFile(const std::wstring& path);

}  // namespace SkinUI::platform
