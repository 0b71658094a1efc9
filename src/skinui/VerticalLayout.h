#pragma once
#include "skinui/Container.h"

namespace SkinUI {

// Children one after another vertically; see LayoutLine.
class CVerticalLayoutUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override { return kVerticalLayoutClass; }
    void* GetInterface(std::wstring_view name) override;
    void SetPos(const CRect& rect) override;
};

}  // namespace SkinUI
