#include "skinui/TabLayout.h"

#include <algorithm>

#include "skinui/PaintManager.h"

namespace SkinUI {

void* CTabLayoutUI::GetInterface(std::wstring_view name) {
    if (name == kTabLayoutClass) return this;
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
    CControlUI* added = control.get();
    if (!CContainerUI::AddAt(std::move(control), index)) return false;
    if (current_ == -1 && added->IsVisible()) {
        current_ = GetItemIndex(added);
    } else {
        if (index <= current_) ++current_;
        added->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
    int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control)) return false;
    if (index == current_) {
        current_ = -1;
        if (GetCount() > 0) {
            current_ = 0;
            GetItemAt(0)->SetVisible(true);
        }
    } else if (index < current_) {
        --current_;
    }
    NeedParentUpdate();
    return true;
}

void CTabLayoutUI::RemoveAll() {
    current_ = -1;
    CContainerUI::RemoveAll();
    NeedParentUpdate();
}

bool CTabLayoutUI::SelectItem(int index, bool sendEvent) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == current_) return true;
    int old = current_;
    current_ = index;
    for (int i = 0; i < GetCount(); ++i) {
        if (i != index) GetItemAt(i)->SetVisible(false);
    }
    CControlUI* selected = GetItemAt(index);
    selected->SetVisible(true);
    selected->SetFocus();
    NeedParentUpdate();
    if (sendEvent && manager_)
        manager_->SendNotify(this, L"tabselect", static_cast<uint32_t>(index), old);
    return true;
}

void CTabLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"selectedid") {
        SelectItem(ParseInt(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CTabLayoutUI::SetPos(const CRect& rect) {
    CControlUI::SetPos(rect);
    CControlUI* selected = GetItemAt(current_);
    if (!selected || !selected->IsVisible()) return;
    CRect area = InnerRect();
    auto limit = [](int value, int lo, int hi) { return std::max(lo, std::min(value, hi)); };
    int width = selected->GetFixedWidth() ? selected->GetFixedWidth() : area.Width();
    int height = selected->GetFixedHeight() ? selected->GetFixedHeight() : area.Height();
    width = limit(width, selected->GetMinWidth(), selected->GetMaxWidth());
    height = limit(height, selected->GetMinHeight(), selected->GetMaxHeight());
    selected->SetPos({area.left, area.top, area.left + width, area.top + height});
}

}  // namespace SkinUI
