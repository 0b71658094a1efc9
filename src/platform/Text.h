#pragma once
// UTF-8 <-> wide conversions shared by both backends. Wide strings are UTF-16
// on Win32 and UTF-32 elsewhere; both are handled by the same codec.
#include <string>
#include <string_view>

namespace platform {

// Ill-formed wide input (a lone surrogate) becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);
// Ill-formed UTF-8 (bad lead or continuation bytes, overlong forms, surrogates,
// values above U+10FFFF) becomes one U+FFFD per offending byte sequence.
std::wstring FromUtf8(std::string_view text);

}  // namespace platform
