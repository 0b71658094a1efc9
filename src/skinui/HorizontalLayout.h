#pragma once
#include "skinui/Container.h"

namespace SkinUI {

// Children one after another horizontally; see LayoutLine.
class CHorizontalLayoutUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override { return kHorizontalLayoutClass; }
    void* GetInterface(std::wstring_view name) override;
    void SetPos(const CRect& rect) override;
};

}  // namespace SkinUI
