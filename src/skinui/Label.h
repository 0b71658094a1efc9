#pragma once
#include "skinui/Control.h"
#include "skinui/TextStyle.h"

namespace SkinUI {

// A control with text: alignment, font, colours and text padding. A label
// without fixed size estimates it from its text.
class CLabelUI : public CControlUI {
public:
    CLabelUI() = default;

    const wchar_t* GetClass() const override { return kLabelClass; }
    void* GetInterface(std::wstring_view name) override;

    uint32_t GetTextStyle() const { return textStyle_; }
    int GetFont() const { return font_; }
    void SetFont(int id);
    Color GetTextColor() const { return textColor_; }
    void SetTextColor(Color color);
    Color GetDisabledTextColor() const { return disabledTextColor_; }
    void SetDisabledTextColor(Color color);
    const CRect& GetTextPadding() const { return textPadding_; }
    void SetTextPadding(const CRect& padding);
    bool IsShowHtml() const { return showHtml_; }
    bool IsMultiLine() const { return (textStyle_ & TextStyle::kSingleLine) == 0; }

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    CSize EstimateSize(CSize available) override;

protected:
    explicit CLabelUI(uint32_t textStyle) : textStyle_(textStyle) {}
    uint32_t textStyle_ = TextStyle::kVCenter | TextStyle::kSingleLine;

private:
    int font_ = -1;
    Color textColor_ = 0;
    Color disabledTextColor_ = 0;
    CRect textPadding_;
    bool showHtml_ = false;
};

}  // namespace SkinUI
