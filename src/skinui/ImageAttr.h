#pragma once
// One image attribute of one control (bkimage, normalimage, foreimage, ...):
// the string as written, what it says, and the image once loaded.
#include <cstdint>
#include <string>

#include "skinui/Geometry.h"
#include "skinui/Image.h"

namespace SkinUI {

struct TImageAttr {
    std::wstring attr;  // as written
    std::wstring name;  // image name, or a colour for the "*COLOR*" type
    std::wstring resType;
    uint32_t mask = 0;
    CRect dest;    // relative to the control; empty = the whole control
    CRect source;  // empty = the whole image
    CRect corner;  // nine-grid margins
    uint8_t fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    bool hsl = false;

    ImagePtr image;
    bool loadFailed = false;  // not tried again until the attribute is set anew

    bool IsEmpty() const { return attr.empty(); }
};

// Either a bare file name or key='value' pairs separated by single spaces;
// parsing stops at the first pair not followed by a space. Resets the loaded
// image.
TImageAttr ParseImageAttr(const std::wstring& text);

}  // namespace SkinUI
