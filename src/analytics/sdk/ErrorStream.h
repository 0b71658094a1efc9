#pragma once
#include <string_view>

namespace telemetry {

// The SDK's own problems go to the standard error stream, never to the
// installer's diagnostic channel.
void WriteError(std::string_view text);
void WriteErrorLine(std::string_view text);

}  // namespace telemetry
