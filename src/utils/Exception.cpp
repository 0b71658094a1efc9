#include "utils/Exception.h"

#include "utils/Encoding.h"

namespace Utils {

Exception::Exception(const std::wstring& message) : message_(ToNarrow(message, kAnsiCodePage)) {}

const char* Exception::what() const noexcept {
    return message_.empty() ? "Unknown exception" : message_.c_str();
}

}  // namespace Utils
