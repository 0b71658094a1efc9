#pragma once
#include <string>

namespace Utils {

// A new GUID as 32 hexadecimal digits without separators, the third group in
// lower case and all others in upper case; empty when none could be made.
std::wstring NewGuidString();

}  // namespace Utils
