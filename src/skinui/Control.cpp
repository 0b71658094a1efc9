#include "skinui/Control.h"

#include <algorithm>

#include "skinui/PaintManager.h"

namespace SkinUI {

CControlUI::~CControlUI() {
    if (manager_) manager_->ForgetControl(this);
}

void* CControlUI::GetInterface(std::wstring_view name) {
    return name == kControlClass ? this : nullptr;
}

void CControlUI::SetManager(CPaintManager* manager, CControlUI* parent, bool init) {
    // init matters to the classes that join window-wide tables (options).
    if (manager_ && manager_ != manager) manager_->ForgetControl(this);
    manager_ = manager;
    parent_ = parent;
    if (cover_) cover_->SetManager(manager, this, init);
}

void CControlUI::SetText(const std::wstring& text) {
    if (text_ == text) return;
    text_ = text;
    Invalidate();
}

void CControlUI::SetPos(const CRect& rect) {
    item_ = {Saturate(rect.left, kMaxCoordinate), Saturate(rect.top, kMaxCoordinate),
             Saturate(rect.right, kMaxCoordinate), Saturate(rect.bottom, kMaxCoordinate)};
    if (item_.right < item_.left) item_.right = item_.left;
    if (item_.bottom < item_.top) item_.bottom = item_.top;
    updateNeeded_ = false;
    if (cover_ && cover_->IsVisible()) cover_->SetPos(item_);
}

void CControlUI::SetPadding(const CRect& padding) {
    padding_ = padding;
    NeedParentUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    fixedSize_.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    fixedSize_.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetMinWidth(int cx) {
    if (cx < 0) return;
    minSize_.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy) {
    if (cy < 0) return;
    minSize_.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0) return;
    maxSize_.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0) return;
    maxSize_.cy = cy;
    NeedParentUpdate();
}

CSize CControlUI::EstimateSize(CSize) {
    return fixedSize_;
}

void CControlUI::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (!visible && manager_ && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
    NeedParentUpdate();
}

void CControlUI::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (manager_) manager_->SetFocus(this);
}

void CControlUI::SetImage(TImageAttr& image, const std::wstring& text) {
    if (image.attr == text && image.image) return;
    image = ParseImageAttr(text);
}

void CControlUI::SetBkImage(const std::wstring& image) {
    SetImage(bkImage_, image);
    Invalidate();
}

void CControlUI::SetCover(std::unique_ptr<CControlUI> cover) {
    cover_ = std::move(cover);
    if (cover_) cover_->SetManager(manager_, this, false);
    NeedUpdate();
}

const std::wstring* CControlUI::GetCustomAttribute(const std::wstring& name) const {
    auto found = customAttributes_.find(name);
    return found == customAttributes_.end() ? nullptr : &found->second;
}

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"pos") {
        CRect pos = ParseExtentRect(value);
        fixedXY_ = {pos.left, pos.top};
        SetFixedWidth(pos.right - pos.left);
        SetFixedHeight(pos.bottom - pos.top);
    } else if (name == L"padding") {
        SetPadding(ParseExtentRect(value));
    } else if (name == L"width") {
        SetFixedWidth(ParseExtent(value));
    } else if (name == L"height") {
        SetFixedHeight(ParseExtent(value));
    } else if (name == L"minwidth") {
        SetMinWidth(ParseExtent(value));
    } else if (name == L"minheight") {
        SetMinHeight(ParseExtent(value));
    } else if (name == L"maxwidth") {
        SetMaxWidth(ParseExtent(value));
    } else if (name == L"maxheight") {
        SetMaxHeight(ParseExtent(value));
    } else if (name == L"name") {
        name_ = value;
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"tooltip") {
        tooltip_ = value;
    } else if (name == L"userdata") {
        userData_ = value;
    } else if (name == L"tag") {
        tag_ = ParseInt(value);
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        bkColor_ = ParseColor(value);
    } else if (name == L"bkcolor2") {
        bkColor2_ = ParseColor(value);
    } else if (name == L"bkcolor3") {
        bkColor3_ = ParseColor(value);
    } else if (name == L"bordercolor") {
        borderColor_ = ParseColor(value);
    } else if (name == L"focusbordercolor") {
        focusBorderColor_ = ParseColor(value);
    } else if (name == L"bordersize") {
        if (value.find(L',') == std::wstring::npos) {
            int size = ParseExtent(value);
            borderSize_ = {size, size, size, size};
        } else {
            borderSize_ = ParseExtentRect(value);
        }
    } else if (name == L"borderstyle") {
        borderStyle_ = ParseInt(value);
    } else if (name == L"borderround") {
        borderRound_ = ParseExtentSize(value);
    } else if (name == L"bkimage") {
        SetBkImage(value);
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"mouse") {
        mouseEnabled_ = ParseBool(value);
    } else if (name == L"keyboard") {
        keyboardEnabled_ = ParseBool(value);
    } else if (name == L"float") {
        // Four numbers (a relative placement) also make the control float.
        float_ = value.find(L',') != std::wstring::npos || ParseBool(value);
        NeedParentUpdate();
    } else if (name == L"menu") {
        menu_ = ParseBool(value);
    } else {
        customAttributes_[name] = value;
    }
}

void CControlUI::ApplyAttributeList(const std::wstring& list) {
    size_t pos = 0;
    while (pos < list.size()) {
        while (pos < list.size() && list[pos] <= L' ') ++pos;
        size_t equals = list.find(L'=', pos);
        if (equals == std::wstring::npos || equals + 1 >= list.size() || list[equals + 1] != L'"') {
            return;
        }
        size_t close = list.find(L'"', equals + 2);
        if (close == std::wstring::npos) return;
        SetAttribute(list.substr(pos, equals - pos), list.substr(equals + 2, close - equals - 2));
        pos = close + 1;
    }
}

void CControlUI::NeedUpdate() {
    if (!visible_) return;
    updateNeeded_ = true;
    Invalidate();
    if (manager_) manager_->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (parent_) {
        parent_->NeedUpdate();
    } else {
        NeedUpdate();
    }
    if (manager_) manager_->NeedUpdate();
}

void CControlUI::Invalidate() {
    if (manager_) manager_->Invalidate(item_);
}

void CControlUI::DoPaint(Canvas& canvas, const CRect& paint) {
    CRect area = paint.Intersect(item_);
    if (area.IsEmpty()) return;
    canvas.PushClip(area);
    bool round = borderRound_.cx > 0 && borderRound_.cy > 0;
    if (round) canvas.PushRoundClip(item_, borderRound_.cx, borderRound_.cy);
    PaintBkColor(canvas);
    PaintBkImage(canvas);
    PaintStatusImage(canvas);
    PaintText(canvas);
    PaintBorder(canvas);
    if (round) canvas.PopClip();
    canvas.PopClip();
    PaintChildren(canvas, area);
    if (cover_ && cover_->IsVisible()) cover_->DoPaint(canvas, area);
}

void CControlUI::PaintChildren(Canvas&, const CRect&) {}

void CControlUI::PaintBkColor(Canvas& canvas) {
    // The gradient colours bkcolor2 and bkcolor3 are not drawn: no skin uses them.
    if (bkColor_ >> 24) canvas.FillRect(item_, bkColor_);
}

void CControlUI::PaintBkImage(Canvas& canvas) {
    DrawImage(canvas, bkImage_);
}

void CControlUI::PaintStatusImage(Canvas&) {}

void CControlUI::PaintText(Canvas&) {}

void CControlUI::PaintBorder(Canvas& canvas) {
    Color color = focused_ && focusBorderColor_ ? focusBorderColor_ : borderColor_;
    if (!color) return;
    const CRect& size = borderSize_;
    if (size.left <= 0 && size.top <= 0 && size.right <= 0 && size.bottom <= 0) return;
    if (borderRound_.cx > 0 && borderRound_.cy > 0) {
        canvas.DrawRoundBorder(item_, color, size.left, borderRound_.cx, borderRound_.cy);
    } else {
        canvas.DrawBorder(item_, color, size);
    }
}

bool CControlUI::DrawImage(Canvas& canvas, TImageAttr& image, const CRect* relativeDest) {
    if (image.IsEmpty() || image.loadFailed) return false;
    if (!image.image) {
        image.image = manager_ ? manager_->GetImage(image.name, image.resType, image.mask)
                               : LoadImage(image.name, image.resType, image.mask);
        if (!image.image) {
            image.loadFailed = true;
            return false;
        }
    }
    const CRect& relative = relativeDest ? *relativeDest : image.dest;
    CRect dest = item_;
    if (relativeDest || !image.dest.IsEmpty()) {
        dest = relative.Offset(item_.left, item_.top);
        dest.right = std::min(dest.right, item_.right);
        dest.bottom = std::min(dest.bottom, item_.bottom);
    }
    ImagePlacement placement{dest,       image.source, image.corner, image.fade,
                             image.hole, image.xtiled, image.ytiled};
    canvas.DrawImage(*image.image, placement);
    return true;
}

}  // namespace SkinUI
