#pragma once
// The standard text-to-number conversions, the same on every target.
#include <optional>
#include <string_view>

namespace Utils {

// Like wcstol in base 10: white space, a sign, then digits; the rest ignored.
// Empty when no digit follows or the value leaves the 32-bit range.
std::optional<int> ParseLeadingInt(std::wstring_view text);

// Like wcstod: white space, then the longest prefix that reads as a decimal or
// hexadecimal number, "inf"/"infinity" or "nan". Empty when there is none or
// the value overflows.
std::optional<double> ParseLeadingDouble(std::wstring_view text);

}  // namespace Utils
