#pragma once
#include <optional>
#include <string>
#include <vector>

namespace collector {

// Undoes the upload's form encoding ("data_list=" + URL-encoded Base64 of the
// gzip-compressed JSON array + "&gzip=1") and checks that the result is one JSON
// array of objects. The records come back as compact JSON texts; on a refusal,
// nothing, with the reason in error.
std::optional<std::vector<std::string>> DecodeBatch(const std::string& body, std::string& error);

}  // namespace collector
