// Any text as a command line: splitting and the switch map must stay in bounds,
// and every split argument must come back unchanged through quoting.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/CommandLine.h"
#include "platform/Text.h"
#include "utils/CommandLineArgs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring line =
        platform::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    Utils::CommandLineArgs args;
    args.Parse(line);
    args.GetInt(L"-downloadtype");
    args.GetDouble(L"-downloadscale", 0.7);

    const auto split = platform::SplitCommandLineLikeShell(line);
    if (split.size() < 2 || line.empty()) return 0;
    std::wstring rebuilt = L"p";
    for (size_t i = 1; i < split.size(); ++i) {
        if (split[i].find(L'\0') != std::wstring::npos) return 0;
        rebuilt += L" " + platform::QuoteArgument(split[i]);
    }
    const auto again = platform::SplitCommandLineLikeShell(rebuilt);
    if (again.size() != split.size()) __builtin_trap();
    for (size_t i = 1; i < split.size(); ++i) {
        if (again[i] != split[i]) __builtin_trap();
    }
    return 0;
}
