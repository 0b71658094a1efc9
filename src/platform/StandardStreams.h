#pragma once
#include <string_view>

#include "platform/Process.h"

namespace platform {

// Writes bytes to standard output exactly as given: no text-mode translation
// of line breaks on Win32, so tools print the same bytes on every target.
void WriteStandardOutput(std::string_view bytes);
// The process's own standard output, to hand to a child.
NativeHandle StandardOutputHandle();

}  // namespace platform
