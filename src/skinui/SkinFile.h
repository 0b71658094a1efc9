#pragma once
// Reading one skin file (a markup file) from where the resource state says.
#include <cstdint>
#include <string>
#include <vector>

namespace SkinUI {

// The largest skin file accepted, from disk and from the archive alike.
constexpr uint64_t kMaxSkinFileSize = 4u << 20;

struct SkinFileResult {
    std::vector<uint8_t> bytes;
    std::wstring error;  // empty on success
    bool Ok() const { return error.empty(); }
};

// From resource path + name when no archive is set, else from the archive.
// Errors: "Error opening file", "File is empty", "File too large", "Could not
// read file" (disk); "Error opening zip file", "Could not find ziped file",
// "File is empty", "File too large", "Could not unzip file" (archive).
SkinFileResult ReadSkinFile(const std::wstring& name);

}  // namespace SkinUI
