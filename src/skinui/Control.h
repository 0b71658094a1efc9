#pragma once
// The base of every control: identity, geometry and layout constraints,
// flags, background and border, custom attributes, and painting in the fixed
// order background colour, background image, state images, text, border.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "skinui/Canvas.h"
#include "skinui/Geometry.h"
#include "skinui/ImageAttr.h"
#include "skinui/ValueSyntax.h"

namespace SkinUI {

class CPaintManager;
class CControlUI;

// Class names. A class query returns one of these pointers, so code may tell
// classes apart by comparing pointers instead of text.
inline constexpr wchar_t kControlClass[] = L"Control";
inline constexpr wchar_t kContainerClass[] = L"Container";
inline constexpr wchar_t kVerticalLayoutClass[] = L"VerticalLayout";
inline constexpr wchar_t kHorizontalLayoutClass[] = L"HorizontalLayout";
inline constexpr wchar_t kTabLayoutClass[] = L"TabLayout";
inline constexpr wchar_t kLabelClass[] = L"Label";
inline constexpr wchar_t kButtonClass[] = L"Button";
inline constexpr wchar_t kOptionClass[] = L"Option";
inline constexpr wchar_t kCheckBoxClass[] = L"CheckBox";
inline constexpr wchar_t kEditClass[] = L"Edit";
inline constexpr wchar_t kProgressClass[] = L"Progress";
// The interface name of containers.
inline constexpr wchar_t kContainerInterface[] = L"IContainer";

// The child list of a container, as the builder and the window code see it.
class IContainerUI {
public:
    virtual ~IContainerUI() = default;
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(const CControlUI* control) const = 0;
    virtual int GetCount() const = 0;
    // Ownership passes to the container; a refused control is destroyed.
    virtual bool Add(std::unique_ptr<CControlUI> control) = 0;
    virtual bool AddAt(std::unique_ptr<CControlUI> control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual void RemoveAll() = 0;
};

class CControlUI {
public:
    static constexpr int kMaxSize = 9999;

    CControlUI() = default;
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual const wchar_t* GetClass() const { return kControlClass; }
    // This control (or its container interface) when it answers the name,
    // else null.
    virtual void* GetInterface(std::wstring_view name);

    CPaintManager* GetManager() const { return manager_; }
    CControlUI* GetParent() const { return parent_; }
    // init: the real attachment to a window, as opposed to the builder's
    // temporary one while it applies attributes.
    virtual void SetManager(CPaintManager* manager, CControlUI* parent, bool init);

    const std::wstring& GetName() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    const std::wstring& GetText() const { return text_; }
    virtual void SetText(const std::wstring& text);
    const std::wstring& GetToolTip() const { return tooltip_; }
    const std::wstring& GetUserData() const { return userData_; }
    int GetTag() const { return tag_; }

    const CRect& GetPos() const { return item_; }
    // Places the control; containers then lay out their children.
    virtual void SetPos(const CRect& rect);
    const CRect& GetPadding() const { return padding_; }
    void SetPadding(const CRect& padding);
    CSize GetFixedXY() const { return fixedXY_; }
    int GetFixedWidth() const { return fixedSize_.cx; }
    int GetFixedHeight() const { return fixedSize_.cy; }
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    int GetMinWidth() const { return minSize_.cx; }
    int GetMinHeight() const { return minSize_.cy; }
    int GetMaxWidth() const { return maxSize_.cx; }
    int GetMaxHeight() const { return maxSize_.cy; }
    void SetMinWidth(int cx);
    void SetMinHeight(int cy);
    void SetMaxWidth(int cx);
    void SetMaxHeight(int cy);
    // The size this control asks its layout for; 0 on an axis means "what
    // the layout gives".
    virtual CSize EstimateSize(CSize available);

    bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool IsMouseEnabled() const { return mouseEnabled_; }
    bool IsKeyboardEnabled() const { return keyboardEnabled_; }
    bool IsFocused() const { return focused_; }
    bool IsFloat() const { return float_; }
    void SetFocus();

    Color GetBkColor() const { return bkColor_; }
    Color GetBorderColor() const { return borderColor_; }
    const CRect& GetBorderSize() const { return borderSize_; }
    CSize GetBorderRound() const { return borderRound_; }
    const TImageAttr& GetBkImage() const { return bkImage_; }
    // Setting the string its image was loaded from again does nothing.
    void SetBkImage(const std::wstring& image);

    // A control drawn over this one and laid out in the same rectangle.
    void SetCover(std::unique_ptr<CControlUI> cover);
    CControlUI* GetCover() const { return cover_.get(); }

    // Names the control does not know, kept without effect.
    const std::wstring* GetCustomAttribute(const std::wstring& name) const;

    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
    // name="value" pairs separated by blanks, applied in order.
    void ApplyAttributeList(const std::wstring& list);

    void NeedUpdate();
    void NeedParentUpdate();
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void Invalidate();

    // Paints where the item rectangle meets paint.
    virtual void DoPaint(Canvas& canvas, const CRect& paint);

protected:
    virtual void PaintBkColor(Canvas& canvas);
    virtual void PaintBkImage(Canvas& canvas);
    virtual void PaintStatusImage(Canvas& canvas);
    virtual void PaintText(Canvas& canvas);
    virtual void PaintBorder(Canvas& canvas);
    // After the control itself and before its cover: a container's children.
    virtual void PaintChildren(Canvas& canvas, const CRect& area);
    // Draws an image attribute in this control, at its dest or relativeDest
    // (relative to the item's top-left corner); false when nothing drew.
    bool DrawImage(Canvas& canvas, TImageAttr& image, const CRect* relativeDest = nullptr);
    static void SetImage(TImageAttr& image, const std::wstring& text);

    CPaintManager* manager_ = nullptr;
    CControlUI* parent_ = nullptr;
    CRect item_;
    bool focused_ = false;

private:
    std::wstring name_;
    std::wstring text_;
    std::wstring tooltip_;
    std::wstring userData_;
    int tag_ = 0;
    CRect padding_;
    CSize fixedXY_;
    CSize fixedSize_;
    CSize minSize_;
    CSize maxSize_{kMaxSize, kMaxSize};
    bool visible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = true;
    bool float_ = false;
    bool menu_ = false;
    Color bkColor_ = 0;
    Color bkColor2_ = 0;
    Color bkColor3_ = 0;
    Color borderColor_ = 0;
    Color focusBorderColor_ = 0;
    CRect borderSize_;
    int borderStyle_ = 0;
    CSize borderRound_;
    TImageAttr bkImage_;
    std::unique_ptr<CControlUI> cover_;
    std::map<std::wstring, std::wstring> customAttributes_;
    bool updateNeeded_ = true;
};

}  // namespace SkinUI
