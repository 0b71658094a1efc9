#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace Utils {

// Replaces the first occurrence of pattern and searches again from the start,
// until the pattern no longer occurs. A replacement that contains the pattern
// would never end that way: it is then replaced in one pass from left to right.
// An empty pattern leaves the text unchanged.
std::wstring ReplaceAll(std::wstring text, const std::wstring& pattern,
                        const std::wstring& replacement);

// UTF-8 bytes 33 to 126 as they are, a space as "+", every other byte as "%"
// and two upper-case hexadecimal digits; "%", "/", ":", "?", "&" and "=" stay.
std::wstring UrlEncode(std::wstring_view text);

// White space here is the space and the characters 9 to 13 only; a
// non-breaking space is text.
std::wstring TrimLeft(std::wstring_view text);
std::wstring TrimRight(std::wstring_view text);
std::wstring Trim(std::wstring_view text);

bool StartsWith(std::wstring_view text, std::wstring_view prefix);

std::wstring ToDecimalString(uint64_t value);

}  // namespace Utils
