#include "analytics/tracker/EnsureUtf8.h"

#include "analytics/sdk/Checks.h"
#include "platform/CodePage.h"
#include "platform/Text.h"

namespace varen::tracking {

std::string EnsureUtf8(const std::string& text) {
    if (text.empty() || telemetry::checks::IsAcceptedUtf8(text)) return text;
    const auto wide = platform::DecodeCodePage(text, platform::kAnsiCodePage);
    return wide ? platform::ToUtf8(*wide) : text;
}

}  // namespace varen::tracking
