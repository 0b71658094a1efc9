#pragma once
// The per-window manager, as far as the skin builder and the controls need it:
// fonts, images (window and shared caches), default attribute lists, window
// settings and custom attributes, the name map, option groups, focus and
// synchronous notifications. The native window, painting, input routing and
// the asynchronous queue arrive with the window base.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "skinui/Fonts.h"
#include "skinui/Geometry.h"
#include "skinui/Image.h"
#include "skinui/Notify.h"
#include "skinui/WindowSettings.h"

namespace SkinUI {

class CControlUI;

class CPaintManager {
public:
    CPaintManager();
    ~CPaintManager();
    CPaintManager(const CPaintManager&) = delete;
    CPaintManager& operator=(const CPaintManager&) = delete;

    // The native window; null for a headless manager.
    void SetWindowHost(IWindowHost* host) { host_ = host; }
    IWindowHost* GetWindowHost() const { return host_; }

    // Fonts. A font under an id that exists replaces it.
    void AddFont(int id, const TFontInfo& font, bool isDefault, bool shared);
    // The font under the id; the default font for -1 or an unknown id.
    const TFontInfo& GetFont(int id) const;
    const TFontInfo& GetDefaultFont() const;
    bool HasFont(int id) const;

    void SetTextMeasurer(ITextMeasurer* measurer) { measurer_ = measurer; }
    ITextMeasurer& GetTextMeasurer() const;

    // Images, loaded on first use and kept by name; shared ones for the whole
    // process. An image that fails to load is not cached.
    void AddImage(const std::wstring& name, const std::wstring& type, uint32_t mask, bool shared);
    ImagePtr GetImage(const std::wstring& name, const std::wstring& type = {}, uint32_t mask = 0);

    void AddDefaultAttributeList(const std::wstring& className, const std::wstring& list,
                                 bool shared);
    // Null when the class has none.
    const std::wstring* GetDefaultAttributeList(const std::wstring& className) const;

    void AddMultiLanguageString(int id, const std::wstring& text);
    const std::wstring* GetMultiLanguageString(int id) const;

    // A root-element attribute of a window.
    void SetWindowAttribute(const std::wstring& name, const std::wstring& value);
    TWindowSettings& GetWindowSettings() { return settings_; }
    const TWindowSettings& GetWindowSettings() const { return settings_; }
    void AddWindowCustomAttribute(const std::wstring& name, const std::wstring& value);
    // Null when the window has no such attribute.
    const std::wstring* GetWindowCustomAttribute(const std::wstring& name) const;

    // Makes root the tree of this window: every control learns the manager and
    // its parent and is entered in the name map.
    void AttachControlTree(CControlUI* root);
    CControlUI* GetRoot() const { return root_; }
    // Attaches a control added to a tree of this window, with its subtree.
    void InitControls(CControlUI* control, CControlUI* parent);
    // The first control registered under a name keeps it.
    bool RegisterName(CControlUI* control);
    CControlUI* FindControl(const std::wstring& name) const;
    // Drops every reference to a control that is going away.
    void ForgetControl(CControlUI* control);

    void AddOptionGroup(const std::wstring& group, CControlUI* option);
    const std::vector<CControlUI*>* GetOptionGroup(const std::wstring& group) const;

    void SetFocus(CControlUI* control);
    CControlUI* GetFocus() const { return focus_; }

    void AddNotifier(INotifyReceiver* receiver);
    void RemoveNotifier(INotifyReceiver* receiver);
    // Synchronous: the receivers in registration order.
    void SendNotify(CControlUI* sender, const std::wstring& type, uint32_t wParam = 0,
                    int32_t lParam = 0);

    // Collects the area to repaint; the window base paints and clears it.
    void Invalidate(const CRect& rect);
    const CRect& GetInvalidArea() const { return invalid_; }
    void ClearInvalidArea() { invalid_ = {}; }

    // Layout must run again before the next paint.
    void NeedUpdate() { updateNeeded_ = true; }
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void ClearUpdateNeeded() { updateNeeded_ = false; }

private:
    struct FontEntry {
        TFontInfo font;
    };
    struct ImageEntry {
        std::wstring type;
        uint32_t mask = 0;
        ImagePtr image;
    };

    IWindowHost* host_ = nullptr;
    ITextMeasurer* measurer_ = nullptr;
    std::map<int, TFontInfo> fonts_;
    TFontInfo defaultFont_;
    std::unordered_map<std::wstring, ImageEntry> images_;
    std::unordered_map<std::wstring, std::wstring> defaultAttributes_;
    std::map<int, std::wstring> multiLanguage_;
    std::unordered_map<std::wstring, std::wstring> customAttributes_;
    TWindowSettings settings_;
    CControlUI* root_ = nullptr;
    std::unordered_map<std::wstring, CControlUI*> names_;
    std::unordered_map<std::wstring, std::vector<CControlUI*>> optionGroups_;
    CControlUI* focus_ = nullptr;
    std::vector<INotifyReceiver*> notifiers_;
    bool updateNeeded_ = false;
    CRect invalid_;
};

}  // namespace SkinUI
