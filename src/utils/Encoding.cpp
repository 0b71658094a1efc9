#include "utils/Encoding.h"

namespace Utils {

std::wstring ToWide(std::string_view text, unsigned codePage) {
    return platform::DecodeCodePage(text, codePage).value_or(std::wstring());
}

std::string ToNarrow(std::wstring_view text, unsigned codePage) {
    return platform::EncodeCodePage(text, codePage).value_or(std::string());
}

}  // namespace Utils
