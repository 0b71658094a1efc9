#include <windows.h>

#include "skinui/platform/AnsiText.h"

namespace SkinUI::platform {

std::wstring FromAnsiCodePage(std::string_view text) {
    if (text.empty()) return {};
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace SkinUI::platform
