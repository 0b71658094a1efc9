#pragma once
#include "skinui/Label.h"

namespace SkinUI {

// A bar whose fore image covers the part of the range up to the value: from
// the left edge when horizontal, from the bottom otherwise.
class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    const wchar_t* GetClass() const override { return kProgressClass; }
    void* GetInterface(std::wstring_view name) override;

    bool IsHorizontal() const { return horizontal_; }
    int GetMinValue() const { return min_; }
    int GetMaxValue() const { return max_; }
    int GetValue() const { return value_; }
    // Limited to the maximum, then raised to the minimum.
    void SetValue(int value);
    void SetForeImage(const std::wstring& image);
    // Where the fore image goes, relative to the control, for the current value.
    CRect ForeImageDest() const;

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;

private:
    bool horizontal_ = true;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    TImageAttr fore_;
};

}  // namespace SkinUI
