#pragma once
#include "skinui/Container.h"

namespace SkinUI {

// Pages of which only the selected one is visible and laid out.
class CTabLayoutUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override { return kTabLayoutClass; }
    void* GetInterface(std::wstring_view name) override;

    // The first visible child added becomes the selection; later ones are hidden.
    bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

    int GetCurSel() const { return current_; }
    // False for an index outside the children. Selecting the current page
    // succeeds without an event; otherwise, when sendEvent, a synchronous
    // "tabselect" goes out with wParam = new index and lParam = old index.
    bool SelectItem(int index, bool sendEvent = true);

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetPos(const CRect& rect) override;

private:
    int current_ = -1;
};

}  // namespace SkinUI
