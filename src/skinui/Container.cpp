#include "skinui/Container.h"

#include <algorithm>

#include "skinui/PaintManager.h"

namespace SkinUI {

CContainerUI::~CContainerUI() {
    // Children go first, while the container still stands.
    items_.clear();
}

void* CContainerUI::GetInterface(std::wstring_view name) {
    if (name == kContainerInterface) return static_cast<IContainerUI*>(this);
    if (name == kContainerClass) return this;
    return CControlUI::GetInterface(name);
}

void CContainerUI::SetManager(CPaintManager* manager, CControlUI* parent, bool init) {
    for (auto& item : items_) item->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == control) return static_cast<int>(i);
    }
    return -1;
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> control) {
    return AddAt(std::move(control), GetCount());
}

bool CContainerUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
    if (!control || index < 0 || index > GetCount()) return false;
    CControlUI* added = control.get();
    items_.insert(items_.begin() + index, std::move(control));
    if (manager_) {
        manager_->InitControls(added, this);
    } else {
        added->SetManager(nullptr, this, false);
    }
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control) {
    int index = GetItemIndex(control);
    if (index < 0) return false;
    items_.erase(items_.begin() + index);
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    items_.clear();
    NeedUpdate();
}

void CContainerUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    auto align = [&](const wchar_t* start, const wchar_t* center, const wchar_t* end) {
        if (value == start) return ChildAlign::Start;
        if (value == center) return ChildAlign::Center;
        if (value == end) return ChildAlign::End;
        return ChildAlign::Start;
    };
    if (name == L"inset") {
        inset_ = ParseExtentRect(value);
        NeedUpdate();
    } else if (name == L"childpadding") {
        childPadding_ = ParseExtent(value);
        NeedUpdate();
    } else if (name == L"childalign") {
        childAlign_ = align(L"left", L"center", L"right");
        NeedUpdate();
    } else if (name == L"childvalign") {
        childVAlign_ = align(L"top", L"vcenter", L"bottom");
        NeedUpdate();
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::PlaceFloat(CControlUI& child) const {
    CSize xy = child.GetFixedXY();
    int left = item_.left + xy.cx;
    int top = item_.top + xy.cy;
    child.SetPos({left, top, left + child.GetFixedWidth(), top + child.GetFixedHeight()});
}

void CContainerUI::SetPos(const CRect& rect) {
    CControlUI::SetPos(rect);
    for (auto& item : items_) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            PlaceFloat(*item);
        } else {
            item->SetPos(InnerRect());
        }
    }
}

void CContainerUI::PaintChildren(Canvas& canvas, const CRect& area) {
    canvas.PushClip(area);
    for (auto& item : items_) {
        if (item->IsVisible()) item->DoPaint(canvas, area);
    }
    canvas.PopClip();
}

}  // namespace SkinUI
