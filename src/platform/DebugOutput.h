#pragma once
#include <string>

namespace platform {

// Hands one finished line to the system's debug-output channel (Win32:
// OutputDebugStringW; POSIX: one write of its UTF-8 text to standard error).
void OutputDebugLine(const std::wstring& line);

// A hook sees every line instead of the channel; tests install one to capture
// what the code logs. Returns the hook it replaced; null restores the channel.
using DebugOutputHook = void (*)(const std::wstring& line);
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);

}  // namespace platform
