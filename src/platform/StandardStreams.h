#pragma once
#include <string_view>

namespace platform {

// Writes bytes to standard output exactly as given: no text-mode translation
// of line breaks on Win32, so tools print the same bytes on every target.
void WriteStandardOutput(std::string_view bytes);

}  // namespace platform
