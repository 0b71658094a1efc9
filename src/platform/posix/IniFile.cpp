#include "platform/posix/IniFile.h"

#include <cstdint>
#include <cwctype>

#include "platform/Text.h"

namespace platform::ini {
namespace {

// The profile functions treat Ctrl-Z (end of file in old editors) as a blank.
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

// A name stored in the file ends at an embedded NUL, as a C string would.
std::wstring_view UntilNul(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
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

enum class Encoding { Utf8, Utf16Le, Utf16Be };

struct RawFile {
    Encoding encoding = Encoding::Utf8;
    std::string byteOrderMark;
    std::vector<std::string> lines;  // raw bytes between line feeds
};

size_t UnitSize(Encoding encoding) {
    return encoding == Encoding::Utf8 ? 1 : 2;
}

std::string Encode(std::wstring_view text, Encoding encoding) {
    if (encoding == Encoding::Utf8) return ToUtf8(text);
    std::string bytes;
    auto put = [&](uint32_t unit) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += encoding == Encoding::Utf16Be ? hi : lo;
        bytes += encoding == Encoding::Utf16Be ? lo : hi;
    };
    for (wchar_t c : text) {
        auto code = static_cast<uint32_t>(c);
        if (code >= 0x10000) {
            code -= 0x10000;
            put(0xD800 + (code >> 10));
            put(0xDC00 + (code & 0x3FF));
        } else {
            put(code);
        }
    }
    return bytes;
}

std::wstring DecodeLine(std::string_view bytes, Encoding encoding) {
    if (encoding == Encoding::Utf8) return FromUtf8(bytes);
    return DecodeUtf16(bytes, encoding == Encoding::Utf16Be);
}

RawFile SplitLines(std::string_view bytes) {
    RawFile file;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        file.byteOrderMark = bytes.substr(0, 3);
    } else if (bytes.substr(0, 2) == "\xFF\xFE") {
        file.encoding = Encoding::Utf16Le;
        file.byteOrderMark = bytes.substr(0, 2);
    } else if (bytes.substr(0, 2) == "\xFE\xFF") {
        file.encoding = Encoding::Utf16Be;
        file.byteOrderMark = bytes.substr(0, 2);
    }
    bytes.remove_prefix(file.byteOrderMark.size());
    const std::string lineFeed = Encode(L"\n", file.encoding);
    const size_t unit = UnitSize(file.encoding);
    size_t start = 0;
    for (size_t i = 0; i + unit <= bytes.size(); i += unit) {
        if (bytes.compare(i, unit, lineFeed) == 0) {
            file.lines.emplace_back(bytes.substr(start, i - start));
            start = i + unit;
        }
    }
    file.lines.emplace_back(bytes.substr(start));
    return file;
}

// What a line is, read by the same rules as Parse.
struct LineKind {
    bool blank = false;
    std::optional<std::wstring> header;
    std::wstring key;
};

LineKind Classify(std::wstring_view line) {
    LineKind kind;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty()) {
        kind.blank = true;
    } else if (line.front() == L'[' && line.rfind(L']') != std::wstring_view::npos) {
        kind.header = std::wstring(UntilNul(line.substr(1, line.rfind(L']') - 1)));
    } else {
        line = Trim(line);
        kind.key = UntilNul(Trim(line.substr(0, line.find(L'='))));
    }
    return kind;
}

}  // namespace

std::string SetValue(std::string_view bytes, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value) {
    section = Trim(section);
    key = Trim(key);
    RawFile file = SplitLines(bytes);
    const std::string carriageReturn = Encode(L"\r", file.encoding);
    const size_t unit = UnitSize(file.encoding);
    auto endsWithCr = [&](const std::string& line) {
        return line.size() >= unit && line.compare(line.size() - unit, unit, carriageReturn) == 0;
    };
    const bool crlf = file.lines.size() == 1 || endsWithCr(file.lines.front());
    auto newLine = [&](std::wstring_view text) {
        return Encode(text, file.encoding) + (crlf ? carriageReturn : std::string());
    };
    const std::wstring entry = std::wstring(key) + L"=" + std::wstring(value);

    // The last line gets its line feed, so that lines can follow it.
    if (!file.lines.back().empty()) {
        if (crlf && !endsWithCr(file.lines.back())) file.lines.back() += carriageReturn;
        file.lines.emplace_back();
    }

    size_t header = file.lines.size();
    for (size_t i = 0; i < file.lines.size(); ++i) {
        LineKind kind = Classify(DecodeLine(file.lines[i], file.encoding));
        if (kind.header && SameName(*kind.header, section)) {
            header = i;
            break;
        }
    }
    if (header == file.lines.size()) {
        const size_t end = file.lines.size() - 1;
        file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(end),
                          {newLine(L"[" + std::wstring(section) + L"]"), newLine(entry)});
    } else {
        size_t lastEntry = header;
        bool replaced = false;
        for (size_t i = header + 1; i < file.lines.size(); ++i) {
            LineKind kind = Classify(DecodeLine(file.lines[i], file.encoding));
            if (kind.header) break;
            if (kind.blank) continue;
            if (SameName(kind.key, key)) {
                file.lines[i] = Encode(entry, file.encoding) +
                                (endsWithCr(file.lines[i]) ? carriageReturn : std::string());
                replaced = true;
                break;
            }
            lastEntry = i;
        }
        if (!replaced) {
            file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1),
                              newLine(entry));
        }
    }

    std::string out = file.byteOrderMark;
    const std::string lineFeed = Encode(L"\n", file.encoding);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        if (i > 0) out += lineFeed;
        out += file.lines[i];
    }
    return out;
}

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
