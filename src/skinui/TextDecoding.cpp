#include "skinui/TextDecoding.h"

#include <string_view>

#include "platform/Text.h"
#include "skinui/platform/AnsiText.h"

namespace SkinUI {
namespace {

std::wstring FromUtf16(const std::vector<uint8_t>& bytes, bool bigEndian) {
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t unit = bigEndian ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]);
        if constexpr (sizeof(wchar_t) == 4) {
            // Pairs become one character here; a lone half stays as it is.
            if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
                char32_t low = bigEndian ? (bytes[i + 2] << 8 | bytes[i + 3])
                                         : (bytes[i + 3] << 8 | bytes[i + 2]);
                if (low >= 0xDC00 && low < 0xE000) {
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

}  // namespace

std::optional<std::wstring> DecodeSkinText(const std::vector<uint8_t>& bytes, int encoding) {
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    switch (encoding) {
        case 0:
            if (raw.starts_with("\xEF\xBB\xBF")) raw.remove_prefix(3);
            return ::platform::FromUtf8(raw);
        case 1:
            if (raw.starts_with("\xFF\xFE")) return FromUtf16(bytes, false);
            if (raw.starts_with("\xFE\xFF")) return FromUtf16(bytes, true);
            return std::nullopt;
        case 2:
            return platform::FromAnsiCodePage(raw);
        default:
            return std::nullopt;
    }
}

}  // namespace SkinUI
