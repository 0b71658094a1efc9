#include "platform/posix/IniFile.h"

#include <cwctype>

#include "platform/Text.h"

namespace platform::ini {
namespace {

// The profile functions treat Ctrl-Z (end of file in old editors) as a blank.
bool IsBlank(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) || c == 0x1A; }

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

// A name stored in the file ends at an embedded NUL, as a C string would.
std::wstring_view UntilNul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

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

}  // namespace

std::wstring DecodeFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return FromUtf8(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(bytes.substr(2), true);
    return FromUtf8(bytes);
}

Document Parse(std::wstring_view text) {
    Document document;
    document.sections.push_back({});  // keys before the first header
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(start, end - start);
        start = end + 1;

        while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
        if (line.empty()) continue;

        if (line.front() == L'[') {
            size_t close = line.rfind(L']');
            if (close != std::wstring_view::npos) {
                Section section;
                section.name = std::wstring(UntilNul(line.substr(1, close - 1)));
                document.sections.push_back(std::move(section));
                continue;
            }
        }

        line = Trim(line);
        Key key;
        size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            key.name = UntilNul(line);
        } else {
            key.name = UntilNul(Trim(line.substr(0, equals)));
            key.value = std::wstring(UntilNul(Trim(line.substr(equals + 1))));
        }
        document.sections.back().keys.push_back(std::move(key));
    }
    return document;
}

const Key* Find(const Document& document, std::wstring_view section, std::wstring_view key) {
    section = Trim(section);
    key = Trim(key);
    for (const Section& candidate : document.sections) {
        if (!candidate.name || !SameName(*candidate.name, section)) continue;
        for (const Key& entry : candidate.keys) {
            if (SameName(entry.name, key)) return &entry;
        }
        return nullptr;  // a repeated section is not searched
    }
    return nullptr;
}

}  // namespace platform::ini
