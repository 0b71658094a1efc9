#pragma once
#include <cstdint>
#include <string>

namespace Utils {

// The product's own key of the current user.
extern const wchar_t kProductKey[];  // "Software\VarenSoft\Quillmark"

// Creates or opens the product key and stores the text as a string value.
bool WriteRegString(const std::wstring& valueName, const std::wstring& text);
// The value's type and text; false when the key or the value cannot be read.
bool ReadRegString(const std::wstring& valueName, uint32_t& type, std::wstring& text);

}  // namespace Utils
