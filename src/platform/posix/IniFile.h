#pragma once
// The INI file model behind the POSIX profile functions. It reads files the way
// the Win32 profile functions do, so both targets see the same values.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini {

struct Key {
    std::wstring name;
    std::optional<std::wstring> value;  // none for a line without "="
};

struct Section {
    std::optional<std::wstring> name;  // none for the keys before the first header
    std::vector<Key> keys;
};

struct Document {
    std::vector<Section> sections;
};

// File bytes to text: a UTF-8 or UTF-16 (either order) byte-order mark selects
// that encoding; without one the bytes are UTF-8, the local code page here.
std::wstring DecodeFile(std::string_view bytes);

// Lines end at LF (CR and other trailing blanks are trimmed). A line whose first
// non-blank character is "[" and that has a "]" opens a section named by the
// text between them; other non-empty lines are keys, split at the first "=".
Document Parse(std::wstring_view text);

// The first section whose name matches, then the first key in it that matches.
const Key* Find(const Document& document, std::wstring_view section, std::wstring_view key);

// The file bytes with key=value set in the section by the rules of
// WritePrivateProfileStringW: the first matching key of the first matching
// section is replaced; a missing key goes after the section's last entry, a
// missing section to the end. Every other line keeps its bytes; new lines use
// the file's encoding and line ends (CR LF for a new file).
std::string SetValue(std::string_view bytes, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value);

}  // namespace platform::ini
