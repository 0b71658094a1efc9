#include "skinui/HorizontalLayout.h"

#include "skinui/LinearLayout.h"

namespace SkinUI {

void* CHorizontalLayoutUI::GetInterface(std::wstring_view name) {
    if (name == kHorizontalLayoutClass) return this;
    return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(const CRect& rect) {
    CControlUI::SetPos(rect);
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child->IsVisible() && child->IsFloat()) PlaceFloat(*child);
    }
    LayoutLine(*this, InnerRect(), Axis::Horizontal, GetChildVAlign());
}

}  // namespace SkinUI
