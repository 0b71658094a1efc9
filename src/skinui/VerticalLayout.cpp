#include "skinui/VerticalLayout.h"

#include "skinui/LinearLayout.h"

namespace SkinUI {

void* CVerticalLayoutUI::GetInterface(std::wstring_view name) {
    if (name == kVerticalLayoutClass) return this;
    return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(const CRect& rect) {
    CControlUI::SetPos(rect);
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child->IsVisible() && child->IsFloat()) PlaceFloat(*child);
    }
    LayoutLine(*this, InnerRect(), Axis::Vertical, GetChildAlign());
}

}  // namespace SkinUI
