#include "platform/Profile.h"

#include <cwctype>

namespace platform {

bool CanStoreProfileEntry(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value) {
    for (std::wstring_view text : {section, key, value}) {
        if (text.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos) {
            return false;
        }
    }
    auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    while (!key.empty() && blank(key.front())) key.remove_prefix(1);
    while (!key.empty() && blank(key.back())) key.remove_suffix(1);
    return !key.empty() && key.find(L'=') == std::wstring_view::npos && key.front() != L'[';
}

}  // namespace platform
