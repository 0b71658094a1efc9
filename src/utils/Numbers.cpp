#include "utils/Numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace Utils {
namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::wstring_view SkipSpace(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<int> ParseLeadingInt(std::wstring_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    size_t digits = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        if (value <= INT64_C(1) << 40) value = value * 10 + (c - L'0');
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> ParseLeadingDouble(std::wstring_view text) {
    text = SkipSpace(text);
    // strtod in the C locale reads only ASCII; any other character ends the number.
    std::string ascii;
    for (wchar_t c : text) {
        if (c <= 0 || c >= 0x80) break;
        ascii += static_cast<char>(c);
    }
    const char* begin = ascii.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    if (end == begin) return std::nullopt;
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    return value;
}

}  // namespace Utils
