#include "skinui/platform/AnsiText.h"
#include "platform/Text.h"

namespace SkinUI::platform {

std::wstring FromAnsiCodePage(std::string_view text) {
    return ::platform::FromUtf8(text);
}

}  // namespace SkinUI::platform
