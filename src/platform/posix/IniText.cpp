#include "platform/posix/IniText.h"

#include <cwctype>

namespace platform::ini {
namespace {

std::wstring_view UntilNul(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}

}  // namespace

bool IsBlank(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) || c == 0x1A;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        units += static_cast<wchar_t>((hi << 8) | lo);
    }
    if constexpr (sizeof(wchar_t) == 2) {
        return units;
    } else {
        // Combine surrogate pairs into code points.
        std::wstring out;
        for (size_t i = 0; i < units.size(); ++i) {
            auto c = static_cast<char32_t>(units[i]);
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(units[++i]) - 0xDC00);
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD;
            }
            out += static_cast<wchar_t>(c);
        }
        return out;
    }
}

Line ReadLine(std::wstring_view text) {
    Line line;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (text.empty()) return line;
    const size_t close = text.rfind(L']');
    if (text.front() == L'[' && close != std::wstring_view::npos) {
        line.kind = Line::Kind::Header;
        line.name = UntilNul(text.substr(1, close - 1));
        return line;
    }
    line.kind = Line::Kind::Key;
    text = Trim(text);
    const size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos) {
        line.name = UntilNul(text);
    } else {
        line.name = UntilNul(Trim(text.substr(0, equals)));
        line.value = std::wstring(UntilNul(Trim(text.substr(equals + 1))));
    }
    return line;
}

}  // namespace platform::ini
