#pragma once
// The one diagnostic line writer. A line is
//   <P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: message\r\n
// with the process and thread ids, the local time, the calling function's
// qualified name and the source line. Call sites use DEBUG_LOG, which supplies
// the function and the line; the message must be a literal, so no user or
// network text can ever become a format.
#include <string>

#include "utils/Format.h"

namespace Utils {

extern const wchar_t kDebugLogPrefix[];

// Formats the joined format (prefix, message, line break) with its arguments in
// order - process id, thread id, the seven time fields, function, line, then the
// message's own - and hands the line to the debug-output channel. A line that
// cannot be allocated is dropped; logging never throws.
void DebugLog(const wchar_t* joinedFormat, std::initializer_list<FormatArg> args) noexcept;

// Builds the joined format and the prefix arguments for one call site.
void DebugLogAt(const wchar_t* function, int line, const wchar_t* message,
                std::initializer_list<FormatArg> messageArgs) noexcept;

// "Class::Method" out of the compiler's full signature text: return type,
// parameters and qualifiers removed; a lambda gives the enclosing function, its
// own name and "::operator ()".
std::wstring QualifiedFunctionName(const char* prettyFunction);

}  // namespace Utils

#define DEBUG_LOG(message, ...)                                                         \
    do {                                                                                \
        static const std::wstring qmLogFunction =                                       \
            ::Utils::QualifiedFunctionName(__PRETTY_FUNCTION__);                        \
        ::Utils::DebugLogAt(qmLogFunction.c_str(), __LINE__, L"" message, {__VA_ARGS__}); \
    } while (0)
