#pragma once
#include "skinui/Button.h"

namespace SkinUI {

// A button with a selected state; options of one group in one window are
// selected one at a time.
class COptionUI : public CButtonUI {
public:
    static constexpr uint32_t kSelected = 0x80;

    ~COptionUI() override;

    const wchar_t* GetClass() const override { return kOptionClass; }
    void* GetInterface(std::wstring_view name) override;
    void SetManager(CPaintManager* manager, CControlUI* parent, bool init) override;

    const std::wstring& GetGroup() const { return group_; }
    bool IsSelected() const { return selected_; }
    // No change does nothing. Selecting one of a group deselects the others
    // (without events); when sendEvent, this option sends "selectchanged".
    void Selected(bool selected, bool sendEvent = true);
    void SetEnabled(bool enabled) override;
    Color CurrentTextColor() const;

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;

private:
    bool selected_ = false;
    std::wstring group_;
    TImageAttr selectedImage_;
    TImageAttr selectedHotImage_;
    Color selectedBkColor_ = 0;
    Color selectedTextColor_ = 0;
};

}  // namespace SkinUI
