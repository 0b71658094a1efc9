#include "skinui/Label.h"

#include "skinui/PaintManager.h"

namespace SkinUI {
namespace {

const TFontInfo& FontOf(const CPaintManager* manager, int id) {
    static const TFontInfo kFallback;
    return manager ? manager->GetFont(id) : kFallback;
}

ITextMeasurer& MeasurerOf(const CPaintManager* manager) {
    return manager ? manager->GetTextMeasurer() : EstimatingTextMeasurer();
}

bool Has(const std::wstring& value, const wchar_t* word) {
    return value.find(word) != std::wstring::npos;
}

}  // namespace

void* CLabelUI::GetInterface(std::wstring_view name) {
    if (name == kLabelClass) return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetFont(int id) {
    font_ = id;
    Invalidate();
}

void CLabelUI::SetTextColor(Color color) {
    textColor_ = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(Color color) {
    disabledTextColor_ = color;
    Invalidate();
}

void CLabelUI::SetTextPadding(const CRect& padding) {
    textPadding_ = padding;
    NeedParentUpdate();
}

void CLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using namespace TextStyle;
    if (name == L"align") {
        // Every keyword present applies, in this order: "center right" is right.
        if (Has(value, L"left")) textStyle_ &= ~kHorizontalMask;
        if (Has(value, L"center")) textStyle_ = (textStyle_ & ~kHorizontalMask) | kCenter;
        if (Has(value, L"right")) textStyle_ = (textStyle_ & ~kHorizontalMask) | kRight;
        Invalidate();
    } else if (name == L"valign") {
        if (Has(value, L"top")) textStyle_ &= ~kVerticalMask;
        if (Has(value, L"vcenter")) textStyle_ = (textStyle_ & ~kVerticalMask) | kVCenter;
        if (Has(value, L"bottom")) textStyle_ = (textStyle_ & ~kVerticalMask) | kBottom;
        Invalidate();
    } else if (name == L"endellipsis") {
        textStyle_ = ParseBool(value) ? textStyle_ | kEndEllipsis : textStyle_ & ~kEndEllipsis;
        Invalidate();
    } else if (name == L"multiline") {
        textStyle_ = ParseBool(value) ? (textStyle_ & ~kSingleLine) | kWordBreak
                                      : (textStyle_ & ~kWordBreak) | kSingleLine;
        NeedParentUpdate();
    } else if (name == L"font") {
        SetFont(ParseInt(value));
    } else if (name == L"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (name == L"disabledtextcolor") {
        SetDisabledTextColor(ParseColor(value));
    } else if (name == L"textpadding") {
        SetTextPadding(ParseExtentRect(value));
    } else if (name == L"showhtml") {
        showHtml_ = ParseBool(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CSize CLabelUI::EstimateSize(CSize available) {
    CSize size{GetFixedWidth(), GetFixedHeight()};
    if (size.cx > 0 && size.cy > 0) return size;
    const TFontInfo& font = FontOf(manager_, font_);
    ITextMeasurer& measurer = MeasurerOf(manager_);
    const CRect& pad = textPadding_;
    if (!IsMultiLine()) {
        if (size.cy == 0)
            size.cy = Saturate(int64_t(measurer.FontHeight(font)) + 8 + pad.top + pad.bottom,
                               kMaxCoordinate);
        if (size.cx == 0 && !GetText().empty()) {
            size.cx = Saturate(
                int64_t(measurer.MeasureText(font, GetText(), 0, false).cx) + pad.left + pad.right,
                kMaxCoordinate);
        }
        return size;
    }
    if (size.cx == 0) size.cx = available.cx;
    if (size.cy == 0) {
        int width = size.cx - pad.left - pad.right;
        size.cy = Saturate(
            int64_t(measurer.MeasureText(font, GetText(), width, true).cy) + pad.top + pad.bottom,
            kMaxCoordinate);
    }
    return size;
}

}  // namespace SkinUI
