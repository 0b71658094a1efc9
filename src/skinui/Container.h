#pragma once
// A control that owns children. Without a layout of its own it gives every
// child the whole area inside its inset; floating children are placed by
// their own position.
#include <memory>
#include <vector>

#include "skinui/Control.h"

namespace SkinUI {

enum class ChildAlign { Start, Center, End };

class CContainerUI : public CControlUI, public IContainerUI {
public:
    ~CContainerUI() override;

    const wchar_t* GetClass() const override { return kContainerClass; }
    void* GetInterface(std::wstring_view name) override;
    void SetManager(CPaintManager* manager, CControlUI* parent, bool init) override;

    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(const CControlUI* control) const override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    bool Add(std::unique_ptr<CControlUI> control) override;
    bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

    const CRect& GetInset() const { return inset_; }
    int GetChildPadding() const { return childPadding_; }
    ChildAlign GetChildAlign() const { return childAlign_; }
    ChildAlign GetChildVAlign() const { return childVAlign_; }

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetPos(const CRect& rect) override;

protected:
    void PaintChildren(Canvas& canvas, const CRect& area) override;
    // The area the children share: the item rectangle minus the inset.
    CRect InnerRect() const { return item_.Deflate(inset_); }
    // A floating child keeps its own position inside the item rectangle.
    void PlaceFloat(CControlUI& child) const;

private:
    std::vector<std::unique_ptr<CControlUI>> items_;
    CRect inset_;
    int childPadding_ = 0;
    ChildAlign childAlign_ = ChildAlign::Start;
    ChildAlign childVAlign_ = ChildAlign::Start;
};

}  // namespace SkinUI
