#include "skinui/Option.h"

#include "skinui/PaintManager.h"

namespace SkinUI {

COptionUI::~COptionUI() = default;

void* COptionUI::GetInterface(std::wstring_view name) {
    if (name == kOptionClass) return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManager* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    if (init && manager && !group_.empty()) manager->AddOptionGroup(group_, this);
}

void COptionUI::Selected(bool selected, bool sendEvent) {
    if (selected_ == selected) return;
    selected_ = selected;
    state_ = selected ? state_ | kSelected : state_ & ~kSelected;
    if (manager_ && !group_.empty() && selected) {
        if (const auto* members = manager_->GetOptionGroup(group_)) {
            // Deselecting changes the group list of no one: walk a copy anyway,
            // a receiver of our event may rebuild the window.
            std::vector<CControlUI*> others = *members;
            for (CControlUI* other : others) {
                if (other != this) static_cast<COptionUI*>(other)->Selected(false, false);
            }
        }
    }
    if (sendEvent && manager_) manager_->SendNotify(this, L"selectchanged");
    Invalidate();
}

void COptionUI::SetEnabled(bool enabled) {
    CButtonUI::SetEnabled(enabled);
    if (!enabled) state_ = selected_ ? kSelected : 0;
}

Color COptionUI::CurrentTextColor() const {
    if (selected_ && selectedTextColor_) return selectedTextColor_;
    return CButtonUI::CurrentTextColor();
}

void COptionUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"group") {
        group_ = value;
    } else if (name == L"selected") {
        Selected(ParseBool(value));
    } else if (name == L"selectedimage") {
        SetImage(selectedImage_, value);
    } else if (name == L"selectedhotimage") {
        SetImage(selectedHotImage_, value);
    } else if (name == L"selectedbkcolor") {
        selectedBkColor_ = ParseColor(value);
    } else if (name == L"selectedtextcolor") {
        selectedTextColor_ = ParseColor(value);
    } else {
        CButtonUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void COptionUI::PaintStatusImage(Canvas& canvas) {
    bool drawn = false;
    if (selected_) {
        if (state_ & kHot) drawn = DrawImage(canvas, selectedHotImage_);
        if (!drawn) drawn = DrawImage(canvas, selectedImage_);
        if (!drawn && (selectedBkColor_ >> 24)) {
            canvas.FillRect(item_, selectedBkColor_);
            drawn = true;
        }
    }
    if (!drawn) PaintButtonState(canvas, false);
    DrawImage(canvas, fore_);
}

}  // namespace SkinUI
