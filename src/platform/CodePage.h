#pragma once
// Conversions between wide text and a narrow code page (Win32:
// MultiByteToWideChar / WideCharToMultiByte without flags). Code page 0 is the
// ANSI code page (UTF-8 on POSIX) and 65001 UTF-8; on POSIX any other number is
// handed to iconv as "CP<n>" or its usual name ("GBK" for 936).
#include <optional>
#include <string>
#include <string_view>

namespace platform {

constexpr unsigned kAnsiCodePage = 0;
constexpr unsigned kUtf8CodePage = 65001;

// Undecodable bytes become U+FFFD; empty when the code page is unknown.
std::optional<std::wstring> DecodeCodePage(std::string_view text, unsigned codePage);
// Characters the code page lacks become its default character ("?"); empty
// when the code page is unknown.
std::optional<std::string> EncodeCodePage(std::wstring_view text, unsigned codePage);

}  // namespace platform
