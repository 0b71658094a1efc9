#pragma once
#include <cstdint>
#include <string>

// The pieces of the record's JSON text; no white space anywhere.
namespace telemetry::json {

void AppendString(std::string& out, const std::string& bytes);
// As a default output stream writes a double (6 significant digits).
void AppendNumber(std::string& out, double value);
void AppendInt(std::string& out, int64_t value);
// "YYYY-MM-DD hh:mm:ss.mmm" in local time, with its double quotes.
void AppendDateTime(std::string& out, int64_t seconds, int32_t milliseconds);

}  // namespace telemetry::json
