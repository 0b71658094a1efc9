#pragma once
// Skin file bytes to wide text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

// Encoding 0: UTF-8 (a leading byte-order mark dropped); 1: UTF-16, which must
// start with FF FE or FE FF (the mark is dropped); 2: the ANSI code page.
// Nothing for UTF-16 without a mark or an unknown encoding.
std::optional<std::wstring> DecodeSkinText(const std::vector<uint8_t>& bytes, int encoding);

}  // namespace SkinUI
