#pragma once
#include <string>

namespace varen::tracking {

// Text from an event record as UTF-8: a string the SDK would refuse as UTF-8
// is taken as text of the system's ANSI code page and converted.
std::string EnsureUtf8(const std::string& text);

}  // namespace varen::tracking
