#pragma once
#include <optional>
#include <string>
#include <string_view>

// The collector's form encoding of one batch: gzip, then Base64, then URL
// encoding, inside "data_list=...&gzip=1".
namespace telemetry::encoding {

// gzip at the highest level; nothing (reported) when zlib fails.
std::optional<std::string> Gzip(std::string_view data);
// Standard alphabet with "=" padding and no line breaks.
std::string Base64(std::string_view data);
// Letters, digits and "-._~" stay; every other byte becomes %XX.
std::string UrlEncode(std::string_view data);
std::optional<std::string> BatchBody(std::string_view batchJson);

}  // namespace telemetry::encoding
