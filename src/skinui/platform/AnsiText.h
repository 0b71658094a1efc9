#pragma once
#include <string>
#include <string_view>

namespace SkinUI::platform {

// Text in the system's ANSI code page (UTF-8 outside Win32) to wide.
std::wstring FromAnsiCodePage(std::string_view text);

}  // namespace SkinUI::platform
