#pragma once
#include <cstdint>
#include <string>

namespace Utils {

// The label of a Windows version: "XP-", "2K", "XP", "Server 2003", "7", "10",
// ... or "major.minor.build" for numbers the table does not know.
std::wstring WindowsVersionLabel(uint32_t major, uint32_t minor, uint32_t build, bool serverR2);

// family "Windows" with the label of the running version ("XP-" when it cannot
// be read); elsewhere the system's own name and its kernel release.
void GetOsName(std::wstring& family, std::wstring& label);

}  // namespace Utils
