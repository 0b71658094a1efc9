#include "skinui/Edit.h"

namespace SkinUI {

CEditUI::CEditUI() {
    SetTextPadding({4, 3, 4, 3});
}

void* CEditUI::GetInterface(std::wstring_view name) {
    if (name == kEditClass) return this;
    return CLabelUI::GetInterface(name);
}

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"readonly") {
        readOnly_ = ParseBool(value);
    } else if (name == L"password") {
        password_ = ParseBool(value);
    } else if (name == L"numberonly") {
        numberOnly_ = ParseBool(value);
    } else if (name == L"autoselall") {
        autoSelectAll_ = ParseBool(value);
    } else if (name == L"maxchar") {
        maxChar_ = ParseInt(value);
    } else if (name == L"passwordchar") {
        if (!value.empty()) passwordChar_ = value.front();
    } else if (name == L"nativebkcolor") {
        nativeBkColor_ = ParseColor(value);
    } else if (name == L"tipvalue") {
        tipValue_ = value;
    } else if (name == L"tipvaluecolor") {
        tipValueColor_ = ParseColor(value);
    } else if (name == L"normalimage") {
        SetImage(normal_, value);
    } else if (name == L"hotimage") {
        SetImage(hot_, value);
    } else if (name == L"focusedimage") {
        SetImage(focused_, value);
    } else if (name == L"disabledimage") {
        SetImage(disabled_, value);
    } else {
        CLabelUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CEditUI::PaintStatusImage(Canvas& canvas) {
    if (!IsEnabled() && DrawImage(canvas, disabled_)) return;
    if (IsFocused() && DrawImage(canvas, focused_)) return;
    DrawImage(canvas, normal_);
}

}  // namespace SkinUI
