#pragma once
#include "skinui/Label.h"

namespace SkinUI {

// A label with state images and colours for hot, pushed, focused and
// disabled. Input handling arrives with the window base; the state bits are
// what it sets.
class CButtonUI : public CLabelUI {
public:
    enum State : uint32_t {
        kFocused = 0x01,
        kDisabled = 0x02,
        kHot = 0x04,
        kPushed = 0x08,
        kCaptured = 0x20,
    };

    CButtonUI() : CLabelUI(TextStyle::kVCenter | TextStyle::kSingleLine | TextStyle::kCenter) {}

    const wchar_t* GetClass() const override { return kButtonClass; }
    void* GetInterface(std::wstring_view name) override;

    uint32_t GetButtonState() const { return state_; }
    void SetButtonState(uint32_t state);
    void SetEnabled(bool enabled) override;

    const TImageAttr& GetNormalImage() const { return normal_; }
    const TImageAttr& GetForeImage() const { return fore_; }
    Color GetHotTextColor() const { return hotTextColor_; }
    Color GetPushedTextColor() const { return pushedTextColor_; }
    Color GetFocusedTextColor() const { return focusedTextColor_; }
    // The colour text is drawn in for the current state.
    Color CurrentTextColor() const;

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;
    // The button's look without the pushed state, as options use it.
    void PaintButtonState(Canvas& canvas, bool allowPushed);

    uint32_t state_ = 0;
    TImageAttr fore_;

private:
    TImageAttr normal_;
    TImageAttr hot_;
    TImageAttr pushed_;
    TImageAttr focusedImage_;
    TImageAttr disabled_;
    TImageAttr hotFore_;
    TImageAttr pushedFore_;
    Color hotBkColor_ = 0;
    Color pushedBkColor_ = 0;
    Color disabledBkColor_ = 0;
    Color hotTextColor_ = 0;
    Color pushedTextColor_ = 0;
    Color focusedTextColor_ = 0;
    int fadeDelta_ = 0;
};

}  // namespace SkinUI
