#pragma once
#include <string>

// The checks on names, ids and string values. Each reports its refusal on the
// standard error stream with the collector's established wording.
namespace telemetry::checks {

// Event names and property keys: a variable name of 1 to 100 bytes.
bool CheckName(const std::string& name, const char* label);
// Distinct and original ids: 1 to 255 bytes.
bool CheckId(const std::string& id, const char* label);
// String values: at most 8192 bytes of UTF-8 without control bytes other than
// tab, line feed and carriage return.
bool CheckString(const std::string& key, const std::string& value);
bool IsAcceptedUtf8(const std::string& value);

}  // namespace telemetry::checks
