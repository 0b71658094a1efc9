#include "utils/Strings.h"

#include "platform/Text.h"

namespace Utils {

std::wstring ReplaceAll(std::wstring text, const std::wstring& pattern,
                        const std::wstring& replacement) {
    if (pattern.empty()) return text;
    const bool restart = replacement.find(pattern) == std::wstring::npos;
    size_t from = 0;
    for (size_t at; (at = text.find(pattern, from)) != std::wstring::npos;) {
        text.replace(at, pattern.size(), replacement);
        // A new occurrence can only begin inside or just before what was replaced.
        from = !restart               ? at + replacement.size()
               : at >= pattern.size() ? at - pattern.size() + 1
                                      : 0;
    }
    return text;
}

std::wstring UrlEncode(std::wstring_view text) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    for (char c : platform::ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 33 && byte <= 126) {
            encoded += static_cast<wchar_t>(byte);
        } else if (byte == ' ') {
            encoded += L'+';
        } else {
            encoded += L'%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

namespace {
bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || (c >= 9 && c <= 13);
}
}  // namespace

std::wstring TrimLeft(std::wstring_view text) {
    while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
    return std::wstring(text);
}

std::wstring TrimRight(std::wstring_view text) {
    while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
    return std::wstring(text);
}

std::wstring Trim(std::wstring_view text) {
    return TrimLeft(TrimRight(text));
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.starts_with(prefix);
}

std::wstring ToDecimalString(uint64_t value) {
    return std::to_wstring(value);
}

}  // namespace Utils
