#include "skinui/Button.h"

namespace SkinUI {

void* CButtonUI::GetInterface(std::wstring_view name) {
    if (name == kButtonClass) return this;
    return CLabelUI::GetInterface(name);
}

void CButtonUI::SetButtonState(uint32_t state) {
    state_ = state;
    Invalidate();
}

void CButtonUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    state_ = enabled ? state_ & ~kDisabled : kDisabled;
}

Color CButtonUI::CurrentTextColor() const {
    Color color = IsEnabled() ? GetTextColor() : GetDisabledTextColor();
    if ((state_ & kPushed) && pushedTextColor_) {
        color = pushedTextColor_;
    } else if ((state_ & kHot) && hotTextColor_) {
        color = hotTextColor_;
    }
    if ((state_ & kFocused) && focusedTextColor_) color = focusedTextColor_;
    return color;
}

void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    struct ImageName {
        const wchar_t* name;
        TImageAttr CButtonUI::*image;
    };
    static const ImageName kImages[] = {
        {L"normalimage", &CButtonUI::normal_},     {L"hotimage", &CButtonUI::hot_},
        {L"pushedimage", &CButtonUI::pushed_},     {L"focusedimage", &CButtonUI::focusedImage_},
        {L"disabledimage", &CButtonUI::disabled_}, {L"foreimage", &CButtonUI::fore_},
        {L"hotforeimage", &CButtonUI::hotFore_},   {L"pushedforeimage", &CButtonUI::pushedFore_},
    };
    for (const ImageName& entry : kImages) {
        if (name == entry.name) {
            SetImage(this->*entry.image, value);
            Invalidate();
            return;
        }
    }
    if (name == L"hotbkcolor") {
        hotBkColor_ = ParseColor(value);
    } else if (name == L"pushedbkcolor") {
        pushedBkColor_ = ParseColor(value);
    } else if (name == L"disabledbkcolor") {
        disabledBkColor_ = ParseColor(value);
    } else if (name == L"hottextcolor") {
        hotTextColor_ = ParseColor(value);
    } else if (name == L"pushedtextcolor") {
        pushedTextColor_ = ParseColor(value);
    } else if (name == L"focusedtextcolor") {
        focusedTextColor_ = ParseColor(value);
    } else if (name == L"fadedelta") {
        fadeDelta_ = ParseInt(value);
    } else {
        CLabelUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CButtonUI::PaintButtonState(Canvas& canvas, bool allowPushed) {
    auto stateImage = [&](Color background, TImageAttr& image) {
        if (background >> 24) canvas.FillRect(item_, background);
        if (!DrawImage(canvas, image)) DrawImage(canvas, normal_);
    };
    if (!IsEnabled()) {
        stateImage(disabledBkColor_, disabled_);
    } else if (allowPushed && (state_ & kPushed)) {
        stateImage(pushedBkColor_, pushed_);
        DrawImage(canvas, pushedFore_);
    } else if (state_ & kHot) {
        stateImage(hotBkColor_, hot_);
        DrawImage(canvas, hotFore_);
    } else if (state_ & kFocused) {
        if (!DrawImage(canvas, focusedImage_)) DrawImage(canvas, normal_);
    } else {
        DrawImage(canvas, normal_);
    }
}

void CButtonUI::PaintStatusImage(Canvas& canvas) {
    PaintButtonState(canvas, true);
    DrawImage(canvas, fore_);
}

}  // namespace SkinUI
