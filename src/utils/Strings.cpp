#include "utils/Strings.h"

namespace Utils {

std::wstring ReplaceAll(std::wstring text, const std::wstring& pattern,
                        const std::wstring& replacement) {
    if (pattern.empty()) return text;
    const bool restart = replacement.find(pattern) == std::wstring::npos;
    size_t from = 0;
    for (size_t at; (at = text.find(pattern, from)) != std::wstring::npos;) {
        text.replace(at, pattern.size(), replacement);
        // A new occurrence can only begin inside or just before what was replaced.
        from = !restart ? at + replacement.size() : at >= pattern.size() ? at - pattern.size() + 1 : 0;
    }
    return text;
}

}  // namespace Utils
