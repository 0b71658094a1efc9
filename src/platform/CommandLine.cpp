#include "platform/CommandLine.h"

#include "platform/Process.h"

namespace platform {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> SplitCommandLineLikeShell(const std::wstring& commandLine) {
    if (commandLine.empty()) return {ModuleFileName()};

    std::vector<std::wstring> arguments;
    const wchar_t* s = commandLine.c_str();

    // The program name: no escapes, quotes only delimit it.
    std::wstring program;
    if (*s == L'"') {
        ++s;
        while (*s && *s != L'"') program += *s++;
        if (*s == L'"') ++s;
    } else {
        while (*s && !IsBlank(*s)) program += *s++;
    }
    arguments.push_back(std::move(program));

    while (IsBlank(*s)) ++s;
    if (!*s) return arguments;

    std::wstring current;
    int quotes = 0;  // quote state: 0 outside, 1 inside, 2 just after a closing quote
    size_t backslashes = 0;
    while (*s) {
        if (IsBlank(*s) && quotes == 0) {
            arguments.push_back(std::move(current));
            current.clear();
            backslashes = 0;
            while (IsBlank(*s)) ++s;
            if (!*s) return arguments;
        } else if (*s == L'\\') {
            current += *s++;
            ++backslashes;
        } else if (*s == L'"') {
            if (backslashes % 2 == 0) {
                current.erase(current.size() - backslashes / 2);
                ++quotes;
            } else {
                current.erase(current.size() - backslashes / 2 - 1);
                current += L'"';
            }
            ++s;
            backslashes = 0;
            // Consecutive quotes: every third one is literal.
            while (*s == L'"') {
                if (++quotes == 3) {
                    current += L'"';
                    quotes = 0;
                }
                ++s;
            }
            if (quotes == 2) quotes = 0;
        } else {
            current += *s++;
            backslashes = 0;
        }
    }
    arguments.push_back(std::move(current));
    return arguments;
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

}  // namespace platform
