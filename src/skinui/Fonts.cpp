#include "skinui/Fonts.h"

#include <algorithm>

namespace SkinUI {
namespace {

class EstimatingMeasurer : public ITextMeasurer {
public:
    int FontHeight(const TFontInfo& font) override { return font.size; }

    CSize MeasureText(const TFontInfo& font, std::wstring_view text, int maxWidth,
                      bool multiline) override {
        int lineWidth = 0;
        int widest = 0;
        int lines = 1;
        for (wchar_t c : text) {
            int width = c < 0x80 ? font.size / 2 : font.size;
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
        return {widest, lines * font.size};
    }
};

}  // namespace

ITextMeasurer& EstimatingTextMeasurer() {
    static EstimatingMeasurer measurer;
    return measurer;
}

}  // namespace SkinUI
