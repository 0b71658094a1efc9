#pragma once
// The value syntaxes every markup attribute shares: colours, rectangles,
// sizes, booleans and decimal numbers.
#include <cstdint>
#include <string_view>

#include "skinui/Geometry.h"

namespace SkinUI {

// 0xAARRGGBB, not premultiplied.
using Color = uint32_t;

// An optional "#", then a hexadecimal number (a "0x" prefix is accepted) read
// as AARRGGBB. Digits stop at the first other character; no digits give 0 and
// values too large for 32 bits saturate at 0xFFFFFFFF.
Color ParseColor(std::wstring_view text);

// A decimal integer with optional sign after optional blanks; digits stop at
// the first other character, none give 0, overflow saturates.
int ParseInt(std::wstring_view text);

// Four integers l,t,r,b, each followed by one separator character. Values that
// are missing (the text ends early) are 0; nothing past the text is read.
CRect ParseRect(std::wstring_view text);
// Two integers x,y under the same rules.
CSize ParseSize(std::wstring_view text);

// The same, limited to +-kMaxExtent: for sizes, paddings and offsets.
int ParseExtent(std::wstring_view text);
CRect ParseExtentRect(std::wstring_view text);
CSize ParseExtentSize(std::wstring_view text);

// Exactly "true".
inline bool ParseBool(std::wstring_view text) {
    return text == L"true";
}

// Case-insensitive equality, as names of classes, window attributes and
// archive entries compare.
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace SkinUI
