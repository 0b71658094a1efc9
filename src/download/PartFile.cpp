#include "download/PartFile.h"

#include <filesystem>
#include <system_error>

int64_t PartFileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
    return error ? -1 : static_cast<int64_t>(size);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), error)) return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

void PartFileBuffer::Attach(FILE* file) {
    bytes_ = std::make_unique<char[]>(kFileBufferBytes);
    std::setvbuf(file, bytes_.get(), _IOFBF, kFileBufferBytes);
}
