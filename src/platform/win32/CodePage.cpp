#include <windows.h>

#include "platform/CodePage.h"

namespace platform {

std::optional<std::wstring> DecodeCodePage(std::string_view text, unsigned codePage) {
    if (text.empty()) {
        if (!IsValidCodePage(codePage) && codePage != CP_ACP) return std::nullopt;
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring out(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), size) != size) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> EncodeCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty()) {
        if (!IsValidCodePage(codePage) && codePage != CP_ACP) return std::nullopt;
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string out(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), size, nullptr, nullptr) !=
        size) {
        return std::nullopt;
    }
    return out;
}

}  // namespace platform
