#include "pipeline/StatusText.h"

#include <cmath>
#include <cwchar>
#include <limits>

#include "utils/Encoding.h"
#include "utils/Strings.h"

namespace pipeline {

std::vector<std::wstring_view> SplitStatusLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    while (!text.empty()) {
        const size_t end = text.find(L'\n');
        const std::wstring_view line = text.substr(0, end);
        if (!line.empty()) lines.push_back(line);
        if (end == std::wstring_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool MatchKey(std::wstring_view line, std::wstring_view key, std::wstring_view& rest) {
    if (!Utils::StartsWith(line, key)) return false;
    rest = line.substr(key.size());
    return true;
}

std::wstring TextValue(std::wstring_view rest) {
    if (rest.size() > kMaxStatusValue) return {};
    return std::wstring(rest);
}

double NumberValue(std::wstring_view rest) {
    const std::wstring text(rest);
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    return end == text.c_str() || !std::isfinite(value) ? 0 : value;
}

int32_t Int32Value(std::wstring_view rest) {
    const std::wstring text(rest);
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (end == text.c_str() || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        return 0;
    }
    return static_cast<int32_t>(value);
}

unsigned EncodeCodePage(std::wstring_view rest) {
    const std::wstring name = Utils::Trim(rest);
    if (name == L"UTF8") return Utils::kUtf8CodePage;
    if (name == L"ACP") return Utils::kAnsiCodePage;
    wchar_t* end = nullptr;
    const unsigned long number = std::wcstoul(name.c_str(), &end, 10);
    if (end == name.c_str() || name.front() == L'-' ||
        number > std::numeric_limits<unsigned>::max()) {
        return Utils::kAnsiCodePage;
    }
    return static_cast<unsigned>(number);
}

}  // namespace pipeline
