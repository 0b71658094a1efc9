#include "skinui/Progress.h"

#include <algorithm>

namespace SkinUI {

CProgressUI::CProgressUI() : CLabelUI(TextStyle::kCenter | TextStyle::kSingleLine) {
    SetFixedHeight(12);
}

void* CProgressUI::GetInterface(std::wstring_view name) {
    if (name == kProgressClass) return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetValue(int value) {
    value_ = std::min(value, max_);
    if (value_ < min_) value_ = min_;
    Invalidate();
}

void CProgressUI::SetForeImage(const std::wstring& image) {
    SetImage(fore_, image);
    Invalidate();
}

CRect CProgressUI::ForeImageDest() const {
    // A range without room is repaired here rather than where it was set, so
    // that min and max may be set in any order.
    int64_t high = max_ > min_ ? max_ : int64_t(min_) + 1;
    int64_t value = std::clamp<int64_t>(value_, min_, high);
    int64_t range = high - min_;
    int width = item_.Width();
    int height = item_.Height();
    if (horizontal_) return {0, 0, int(width * (value - min_) / range), height};
    return {0, int(height * (high - value) / range), width, height};
}

void CProgressUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"hor") {
        horizontal_ = ParseBool(value);
    } else if (name == L"min") {
        min_ = ParseInt(value);
    } else if (name == L"max") {
        max_ = ParseInt(value);
    } else if (name == L"value") {
        SetValue(ParseInt(value));
    } else if (name == L"foreimage") {
        SetForeImage(value);
        return;
    } else {
        CLabelUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CProgressUI::PaintStatusImage(Canvas& canvas) {
    CRect dest = ForeImageDest();
    if (dest.IsEmpty()) return;
    DrawImage(canvas, fore_, &dest);
}

}  // namespace SkinUI
