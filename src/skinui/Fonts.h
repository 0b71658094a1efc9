#pragma once
// Fonts as the skin describes them. Metrics come from the text renderer of the
// window; until one is attached, a fixed estimate stands in (TextMeasurer).
#include <string>
#include <string_view>

#include "skinui/Geometry.h"

namespace SkinUI {

struct TFontInfo {
    std::wstring face;
    int size = 12;  // character height in pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // Line height of the font.
    virtual int FontHeight(const TFontInfo& font) = 0;
    // Width and height of the text; word-wrapped at maxWidth when multiline.
    virtual CSize MeasureText(const TFontInfo& font, std::wstring_view text, int maxWidth,
                              bool multiline) = 0;
};

// The estimate used before a real renderer exists: a line is size pixels
// high, characters below U+0080 are size / 2 wide and all others size wide.
ITextMeasurer& EstimatingTextMeasurer();

}  // namespace SkinUI
