#pragma once
// The line rules that the INI reader and writer share, so that the writer
// finds exactly the sections and keys the reader sees.
#include <optional>
#include <string>
#include <string_view>

namespace platform::ini {

// Blanks are white space and Ctrl-Z, which old editors put at the end.
bool IsBlank(wchar_t c);
std::wstring_view Trim(std::wstring_view text);
// Names match case-insensitively.
bool SameName(std::wstring_view a, std::wstring_view b);
// UTF-16 bytes in either order to wide text; a lone surrogate becomes U+FFFD.
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian);

// One line of a file (without its line feed). A line whose first non-blank
// character is "[" and that has a "]" is a header naming the text between
// them; other non-blank lines are keys, split at the first "=" and trimmed. A
// name ends at an embedded NUL, as a C string would.
struct Line {
    enum class Kind { Blank, Header, Key };
    Kind kind = Kind::Blank;
    std::wstring name;
    std::optional<std::wstring> value;  // none for a key line without "="
};
Line ReadLine(std::wstring_view line);

}  // namespace platform::ini
