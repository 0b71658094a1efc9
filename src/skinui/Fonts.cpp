#include "skinui/Fonts.h"

#include <algorithm>
#include <cstdint>

namespace SkinUI {
namespace {

class EstimatingMeasurer : public ITextMeasurer {
public:
    int FontHeight(const TFontInfo& font) override { return font.size; }

    CSize MeasureText(const TFontInfo& font, std::wstring_view text, int maxWidth,
                      bool multiline) override {
        int64_t lineWidth = 0;
        int64_t widest = 0;
        int64_t lines = 1;
        for (wchar_t c : text) {
            int64_t width = c < 0x80 ? font.size / 2 : font.size;
            if (c == L'\n' && multiline) {
                widest = std::max(widest, lineWidth);
                lineWidth = 0;
                ++lines;
                continue;
            }
            if (multiline && maxWidth > 0 && lineWidth > 0 && lineWidth + width > maxWidth) {
                widest = std::max(widest, lineWidth);
                lineWidth = 0;
                ++lines;
            }
            lineWidth += width;
        }
        widest = std::max(widest, lineWidth);
        return {Saturate(widest, kMaxCoordinate), Saturate(lines * font.size, kMaxCoordinate)};
    }
};

}  // namespace

ITextMeasurer& EstimatingTextMeasurer() {
    static EstimatingMeasurer measurer;
    return measurer;
}

}  // namespace SkinUI
