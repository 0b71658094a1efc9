#pragma once
#include <string>

namespace platform {

// The separator this system writes between path components.
#ifdef _WIN32
constexpr wchar_t kPathSeparator = L'\\';
#else
constexpr wchar_t kPathSeparator = L'/';
#endif

// Either separator ends a component on Win32; only "/" elsewhere.
bool IsPathSeparator(wchar_t c);

// The last component of a path (PathStripPathW).
std::wstring FileNamePart(const std::wstring& path);
// The path without its last component and the separator before it (PathRemoveFileSpecW).
std::wstring FolderPart(const std::wstring& path);
// folder + separator + name, with exactly one separator between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace platform
