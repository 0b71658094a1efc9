#include "platform/posix/IniFile.h"

#include "platform/Text.h"
#include "platform/posix/IniText.h"

namespace platform::ini {

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

        Line read = ReadLine(line);
        if (read.kind == Line::Kind::Header) {
            Section section;
            section.name = std::move(read.name);
            document.sections.push_back(std::move(section));
        } else if (read.kind == Line::Kind::Key) {
            document.sections.back().keys.push_back({std::move(read.name), std::move(read.value)});
        }
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
