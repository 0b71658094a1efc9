#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "platform/posix/IniFile.h"
#include "platform/posix/IniText.h"

namespace platform::ini {
namespace {

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
        const Line line = ReadLine(DecodeLine(file.lines[i], file.encoding));
        if (line.kind == Line::Kind::Header && SameName(line.name, section)) {
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
            const Line line = ReadLine(DecodeLine(file.lines[i], file.encoding));
            if (line.kind == Line::Kind::Header) break;
            if (line.kind == Line::Kind::Blank) continue;
            if (SameName(line.name, key)) {
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

}  // namespace platform::ini
