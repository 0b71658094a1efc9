#include "analytics/sdk/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "analytics/sdk/Clock.h"

namespace telemetry::json {

void AppendString(std::string& out, const std::string& bytes) {
    out += '"';
    for (char c : bytes) {
        switch (c) {
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        // "inf" and "nan" are not JSON: the collector would refuse the batch
        // and with it every other record in it, on every retry.
        out += "null";
        return;
    }
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    out.append(buffer, result.ptr);
}

void AppendInt(std::string& out, int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendDateTime(std::string& out, int64_t seconds, int32_t milliseconds) {
    const CalendarTime t = ToLocalCalendar(seconds);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "\"%04d-%02d-%02d %02d:%02d:%02d.%03d\"", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, static_cast<int>(milliseconds));
    out += buffer;
}

}  // namespace telemetry::json
