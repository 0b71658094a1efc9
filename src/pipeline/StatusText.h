#pragma once
// The key=value line format that the package and the old uninstaller write on
// their standard output.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pipeline {

// A text value longer than this is taken as empty.
constexpr size_t kMaxStatusValue = 771;

// The lines of one piece of output, split at "\n"; a last piece without "\n"
// is a line too. Empty lines are left out, since they match no key.
std::vector<std::wstring_view> SplitStatusLines(std::wstring_view text);

// The rest of the line after key when the line starts with it.
bool MatchKey(std::wstring_view line, std::wstring_view key, std::wstring_view& rest);

// The whole rest of the line, or empty when it is longer than kMaxStatusValue.
std::wstring TextValue(std::wstring_view rest);
// A leading decimal number; 0 when none can be read.
double NumberValue(std::wstring_view rest);
// A leading signed 32-bit integer; 0 when none can be read.
int32_t Int32Value(std::wstring_view rest);
// The code page an "Encode=" value names: "UTF8", "ACP" or a number (none: 0).
unsigned EncodeCodePage(std::wstring_view rest);

}  // namespace pipeline
