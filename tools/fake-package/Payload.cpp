#include "Payload.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Text.h"

namespace {

constexpr std::string_view kMarker = "\n#QM-FAKE-PAYLOAD#\n";
constexpr size_t kSizeDigits = 16;

std::string Hex(size_t value) {
    char digits[kSizeDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return digits;
}

std::optional<size_t> ReadHex(std::string_view digits) {
    size_t value = 0;
    for (char c : digits) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<size_t>(digit);
    }
    return value;
}

std::filesystem::path NativePath(const std::wstring& path) {
    const std::string utf8 = platform::ToUtf8(path);
    return std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

}  // namespace

std::string AppendPayload(std::string program, const Payload& payload) {
    program += payload.script;
    program += payload.attachment;
    program += Hex(payload.script.size());
    program += Hex(payload.attachment.size());
    program += kMarker;
    return program;
}

std::optional<Payload> FindPayload(std::string_view file) {
    const size_t trailer = 2 * kSizeDigits + kMarker.size();
    if (file.size() < trailer || file.substr(file.size() - kMarker.size()) != kMarker) {
        return std::nullopt;
    }
    const std::string_view sizes = file.substr(file.size() - trailer, 2 * kSizeDigits);
    const auto scriptSize = ReadHex(sizes.substr(0, kSizeDigits));
    const auto attachmentSize = ReadHex(sizes.substr(kSizeDigits));
    if (!scriptSize || !attachmentSize) return std::nullopt;
    const size_t body = file.size() - trailer;
    if (*scriptSize > body || *attachmentSize > body - *scriptSize) return std::nullopt;
    const size_t start = body - *scriptSize - *attachmentSize;
    return Payload{std::string(file.substr(start, *scriptSize)),
                   std::string(file.substr(start + *scriptSize, *attachmentSize))};
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
