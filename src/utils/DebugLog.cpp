#include "utils/DebugLog.h"

#include <new>
#include <string_view>
#include <vector>

#include "platform/DebugOutput.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace Utils {

const wchar_t kDebugLogPrefix[] = L"<P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: ";

void DebugLog(const wchar_t* joinedFormat, std::initializer_list<FormatArg> args) noexcept {
    try {
        platform::OutputDebugLine(FormatWide(joinedFormat, args));
    } catch (const std::bad_alloc&) {
        // No memory for the line: it is dropped and the caller goes on.
    }
}

void DebugLogAt(const wchar_t* function, int line, const wchar_t* message,
                std::initializer_list<FormatArg> messageArgs) noexcept {
    try {
        const platform::LocalTime t = platform::GetLocalTime();
        std::wstring joined = kDebugLogPrefix;
        joined += message;
        if (!std::wstring_view(joined).ends_with(L"\r\n")) joined += L"\r\n";

        std::vector<FormatArg> args = {platform::CurrentProcessId(),
                                       platform::CurrentThreadId(),
                                       t.year,
                                       t.month,
                                       t.day,
                                       t.hour,
                                       t.minute,
                                       t.second,
                                       t.milliseconds,
                                       function,
                                       line};
        args.insert(args.end(), messageArgs.begin(), messageArgs.end());
        platform::OutputDebugLine(FormatWide(joined, args));
    } catch (const std::bad_alloc&) {
    }
}

namespace {

// Index of the bracket that closes the one at open, or npos.
size_t MatchingClose(std::string_view text, size_t open) {
    const char opening = text[open];
    const char closing = opening == '(' ? ')' : opening == '<' ? '>' : ']';
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == opening) ++depth;
        if (text[i] == closing && --depth == 0) return i;
    }
    return std::string_view::npos;
}

bool StartsLambda(std::string_view rest) {
    return rest.starts_with("<lambda") || rest.starts_with("(lambda") ||
           rest.starts_with("(anonymous class");
}

}  // namespace

std::wstring QualifiedFunctionName(const char* prettyFunction) {
    std::string_view text = prettyFunction;
    // The name ends at the first parameter list that is not part of a template
    // argument; its start is after the last blank outside brackets before that.
    size_t nameStart = 0, nameEnd = text.size();
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '<' || c == '[') {
            if (text.substr(i).starts_with("<lambda")) {
                nameEnd = i;
                break;
            }
            ++depth;
        } else if (c == '>' || c == ']') {
            --depth;
        } else if (c == '(' && depth == 0) {
            if (text.substr(i).starts_with("(lambda") ||
                text.substr(i).starts_with("(anonymous class")) {
                nameEnd = i;
                break;
            }
            if (i > 0 && text.substr(0, i).ends_with("operator")) continue;
            nameEnd = i;
            break;
        } else if (c == ' ' && depth == 0) {
            if (text.substr(0, i).ends_with("operator")) continue;
            nameStart = i + 1;
        }
    }
    std::string name(text.substr(nameStart, nameEnd - nameStart));
    if (name.ends_with("::")) name.resize(name.size() - 2);

    // Lambdas nested in it: "f()::<lambda()>" (GCC) or "f()::(lambda at ...)" (Clang).
    size_t i = nameEnd;
    int lambdas = StartsLambda(text.substr(nameEnd)) ? 1 : 0;
    while (i < text.size()) {
        size_t scope = text.find("::", i);
        if (scope == std::string_view::npos) break;
        std::string_view rest = text.substr(scope + 2);
        if (StartsLambda(rest)) {
            ++lambdas;
            size_t close = MatchingClose(text, scope + 2);
            if (close == std::string_view::npos) break;
            i = close + 1;
        } else {
            i = scope + 2;
        }
    }
    std::wstring result = platform::FromUtf8(name);
    for (int k = 0; k < lambdas; ++k) result += L"::<lambda>::operator ()";
    return result;
}

}  // namespace Utils
