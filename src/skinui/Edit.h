#pragma once
#include "skinui/Label.h"

namespace SkinUI {

// A single-line text field. The native editing window arrives with the
// window base; this is its state and look.
class CEditUI : public CLabelUI {
public:
    CEditUI();

    const wchar_t* GetClass() const override { return kEditClass; }
    void* GetInterface(std::wstring_view name) override;

    int GetMaxChar() const { return maxChar_; }
    bool IsReadOnly() const { return readOnly_; }
    bool IsPassword() const { return password_; }
    bool IsNumberOnly() const { return numberOnly_; }
    bool IsAutoSelectAll() const { return autoSelectAll_; }
    wchar_t GetPasswordChar() const { return passwordChar_; }
    Color GetNativeBkColor() const { return nativeBkColor_; }
    const std::wstring& GetTipValue() const { return tipValue_; }
    Color GetTipValueColor() const { return tipValueColor_; }

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;

private:
    int maxChar_ = 255;
    bool readOnly_ = false;
    bool password_ = false;
    bool numberOnly_ = false;
    bool autoSelectAll_ = false;
    wchar_t passwordChar_ = L'*';
    Color nativeBkColor_ = 0xFFFFFFFF;  // all bits set: the system's colours
    std::wstring tipValue_;
    Color tipValueColor_ = 0xFFBAC0C5;
    TImageAttr normal_;
    TImageAttr hot_;
    TImageAttr focused_;
    TImageAttr disabled_;
};

}  // namespace SkinUI
