#pragma once
#include <string>

namespace Utils {

// Replaces the first occurrence of pattern and searches again from the start,
// until the pattern no longer occurs. A replacement that contains the pattern
// would never end that way: it is then replaced in one pass from left to right.
// An empty pattern leaves the text unchanged.
std::wstring ReplaceAll(std::wstring text, const std::wstring& pattern,
                        const std::wstring& replacement);

}  // namespace Utils
