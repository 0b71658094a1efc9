#include <windows.h>

#include <string>

namespace platform {

void WriteDebugChannel(const std::wstring& line) { OutputDebugStringW(line.c_str()); }

}  // namespace platform
