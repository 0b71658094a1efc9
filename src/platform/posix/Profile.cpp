#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/posix/IniFile.h"

namespace platform {
namespace {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    std::ifstream file(ToUtf8(path), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// One pair of matching quotes around the whole value is removed when the rest
// of the value (closing quote included) fits the buffer; a value that must be
// cut keeps its first bufferSize - 1 characters after the opening quote, as
// the Win32 functions do.
std::wstring CopyValue(const std::wstring& value, size_t bufferSize) {
    std::wstring_view text = value;
    bool quoted = false;
    if (text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') &&
        text.back() == text.front()) {
        quoted = true;
        text.remove_prefix(1);
    }
    std::wstring copy(text.substr(0, bufferSize - 1));
    if (quoted && bufferSize >= text.size() && !copy.empty()) copy.pop_back();
    return copy;
}

// Counterpart of RtlUnicodeStringToInteger with base 0, which the Win32
// function uses: 32-bit wrap-around, digits up to the first other character.
int ParseProfileInteger(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] <= L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == L'0') {
        wchar_t marker = text[i + 1];
        base = marker == L'x' ? 16 : marker == L'o' ? 8 : marker == L'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        uint32_t digit = c >= L'0' && c <= L'9'   ? c - L'0'
                         : c >= L'a' && c <= L'z' ? c - L'a' + 10
                         : c >= L'A' && c <= L'Z' ? c - L'A' + 10
                                                  : 99;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<int>(negative ? 0u - value : value);
}

}  // namespace

std::wstring ReadProfileString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue, const std::wstring& file,
                               size_t bufferSize) {
    if (bufferSize == 0) return {};
    if (std::optional<std::string> bytes = ReadWholeFile(file)) {
        ini::Document document = ini::Parse(ini::DecodeFile(*bytes));
        const ini::Key* found = ini::Find(document, section, key);
        if (found && found->value) return CopyValue(*found->value, bufferSize);
    }
    std::wstring fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == L' ') fallback.pop_back();
    return fallback.substr(0, bufferSize - 1);
}

int ReadProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                   const std::wstring& file) {
    std::wstring text = ReadProfileString(section, key, L"", file, 30);
    return text.empty() ? defaultValue : ParseProfileInteger(text);
}

bool WriteProfileString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file) {
    if (!CanStoreProfileEntry(section, key, value)) return false;
    // One writer at a time in this process: each write reads, changes and
    // replaces the whole file, and the temporary file's name is per process.
    static std::mutex writeLock;
    std::lock_guard<std::mutex> guard(writeLock);
    const std::string path = ToUtf8(file);
    std::optional<std::string> bytes = ReadWholeFile(file);
    const std::string updated = ini::SetValue(bytes.value_or(""), section, key, value);

    // The new text goes to a file of its own that then replaces the old one, so
    // a crash or a full disk never leaves a half-written file behind.
    struct stat info {};
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0666;
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return false;
    size_t written = 0;
    while (written < updated.size()) {
        ssize_t n = ::write(fd, updated.data() + written, updated.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool complete = written == updated.size() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !complete || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return ::stat(ToUtf8(path).c_str(), &info) == 0;
}

}  // namespace platform
