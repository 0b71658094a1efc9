#pragma once
// Whole-string conversions between wide text and a narrow code page.
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace Utils {

constexpr unsigned kAnsiCodePage = platform::kAnsiCodePage;  // file names and most texts
constexpr unsigned kUtf8CodePage = platform::kUtf8CodePage;  // URLs, JSON and network texts

// Undecodable bytes become U+FFFD; an unknown code page gives the empty string.
std::wstring ToWide(std::string_view text, unsigned codePage);
// Characters the code page lacks become "?"; an unknown code page gives the
// empty string.
std::string ToNarrow(std::wstring_view text, unsigned codePage);

}  // namespace Utils
