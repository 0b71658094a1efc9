#include "skinui/PaintManager.h"

#include <algorithm>

#include "skinui/Control.h"
#include "skinui/ValueSyntax.h"

namespace SkinUI {
namespace {

// What windows declare "shared" lives as long as the process.
struct SharedResources {
    std::map<int, TFontInfo> fonts;
    std::unordered_map<std::wstring, ImagePtr> images;
    std::unordered_map<std::wstring, std::wstring> defaultAttributes;
};

SharedResources& Shared() {
    static SharedResources shared;
    return shared;
}

void RegisterTree(CPaintManager& manager, CControlUI* control, CControlUI* parent) {
    control->SetManager(&manager, parent, true);
    manager.RegisterName(control);
    if (CControlUI* cover = control->GetCover()) RegisterTree(manager, cover, control);
    if (auto* container = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"))) {
        for (int i = 0; i < container->GetCount(); ++i)
            RegisterTree(manager, container->GetItemAt(i), control);
    }
}

}  // namespace

CPaintManager::CPaintManager() {
    defaultFont_.face = L"微软雅黑";
}

CPaintManager::~CPaintManager() {
    // A tree that outlives its window must not reach back into it.
    if (root_) root_->SetManager(nullptr, nullptr, false);
}

void CPaintManager::AddFont(int id, const TFontInfo& font, bool isDefault, bool shared) {
    TFontInfo kept = font;
    kept.size = std::clamp(kept.size, 0, kMaxExtent);
    if (kept.face.size() > 31) kept.face.resize(31);  // LOGFONT holds 32 with the zero
    if (shared) {
        Shared().fonts[id] = kept;
    } else {
        fonts_[id] = kept;
    }
    if (isDefault) defaultFont_ = kept;
}

const TFontInfo& CPaintManager::GetFont(int id) const {
    if (auto found = fonts_.find(id); found != fonts_.end()) return found->second;
    if (auto found = Shared().fonts.find(id); found != Shared().fonts.end()) return found->second;
    return defaultFont_;
}

const TFontInfo& CPaintManager::GetDefaultFont() const {
    return defaultFont_;
}

bool CPaintManager::HasFont(int id) const {
    return fonts_.count(id) != 0 || Shared().fonts.count(id) != 0;
}

ITextMeasurer& CPaintManager::GetTextMeasurer() const {
    return measurer_ ? *measurer_ : EstimatingTextMeasurer();
}

void CPaintManager::AddImage(const std::wstring& name, const std::wstring& type, uint32_t mask,
                             bool shared) {
    ImagePtr image = LoadImage(name, type, mask);
    if (!image) return;
    if (shared) {
        Shared().images[name] = image;
    } else {
        images_[name] = {type, mask, image};
    }
}

ImagePtr CPaintManager::GetImage(const std::wstring& name, const std::wstring& type,
                                 uint32_t mask) {
    if (auto found = images_.find(name); found != images_.end()) return found->second.image;
    if (auto found = Shared().images.find(name); found != Shared().images.end())
        return found->second;
    ImagePtr image = LoadImage(name, type, mask);
    if (image) images_[name] = {type, mask, image};
    return image;
}

void CPaintManager::AddDefaultAttributeList(const std::wstring& className, const std::wstring& list,
                                            bool shared) {
    (shared ? Shared().defaultAttributes : defaultAttributes_)[className] = list;
}

const std::wstring* CPaintManager::GetDefaultAttributeList(const std::wstring& className) const {
    if (auto found = defaultAttributes_.find(className); found != defaultAttributes_.end()) {
        return &found->second;
    }
    auto& shared = Shared().defaultAttributes;
    if (auto found = shared.find(className); found != shared.end()) return &found->second;
    return nullptr;
}

void CPaintManager::AddMultiLanguageString(int id, const std::wstring& text) {
    multiLanguage_[id] = text;
}

const std::wstring* CPaintManager::GetMultiLanguageString(int id) const {
    auto found = multiLanguage_.find(id);
    return found == multiLanguage_.end() ? nullptr : &found->second;
}

void CPaintManager::SetWindowAttribute(const std::wstring& name, const std::wstring& value) {
    auto is = [&](const wchar_t* known) { return EqualsNoCase(name, known); };
    TWindowSettings& s = settings_;
    if (is(L"size")) {
        s.initSize = ParseSize(value);
        if (host_ && !root_) host_->ApplyInitialSize(s.initSize);
    } else if (is(L"sizebox")) {
        s.sizeBox = ParseRect(value);
    } else if (is(L"caption")) {
        s.caption = ParseRect(value);
    } else if (is(L"roundcorner")) {
        s.roundCorner = ParseSize(value);
    } else if (is(L"mininfo")) {
        s.minInfo = ParseSize(value);
    } else if (is(L"maxinfo")) {
        s.maxInfo = ParseSize(value);
    } else if (is(L"showdirty")) {
        s.showDirty = ParseBool(value);
    } else if (is(L"noactivate")) {
        s.noActivate = ParseBool(value);
    } else if (is(L"opacity")) {
        s.opacity = std::clamp(ParseInt(value), 0, 255);
        if (host_) host_->ApplyOpacity(s.opacity);
    } else if (is(L"layeredopacity")) {
        s.layeredOpacity = std::clamp(ParseInt(value), 0, 255);
    } else if (is(L"layeredimage")) {
        s.layered = true;
        s.layeredImage = value;
    } else if (is(L"disabledfontcolor")) {
        s.disabledFontColor = ParseColor(value);
    } else if (is(L"defaultfontcolor")) {
        s.defaultFontColor = ParseColor(value);
    } else if (is(L"linkfontcolor")) {
        s.linkFontColor = ParseColor(value);
    } else if (is(L"linkhoverfontcolor")) {
        s.linkHoverFontColor = ParseColor(value);
    } else if (is(L"selectedcolor")) {
        s.selectedColor = ParseColor(value);
    } else {
        AddWindowCustomAttribute(name, value);
    }
}

void CPaintManager::AddWindowCustomAttribute(const std::wstring& name, const std::wstring& value) {
    customAttributes_[name] = value;
}

const std::wstring* CPaintManager::GetWindowCustomAttribute(const std::wstring& name) const {
    auto found = customAttributes_.find(name);
    return found == customAttributes_.end() ? nullptr : &found->second;
}

void CPaintManager::AttachControlTree(CControlUI* root) {
    if (root_ && root_ != root) root_->SetManager(nullptr, nullptr, false);
    names_.clear();
    optionGroups_.clear();
    focus_ = nullptr;
    root_ = root;
    if (root) RegisterTree(*this, root, nullptr);
    updateNeeded_ = true;
}

void CPaintManager::InitControls(CControlUI* control, CControlUI* parent) {
    RegisterTree(*this, control, parent);
}

bool CPaintManager::RegisterName(CControlUI* control) {
    const std::wstring& name = control->GetName();
    if (name.empty()) return false;
    return names_.emplace(name, control).second;
}

CControlUI* CPaintManager::FindControl(const std::wstring& name) const {
    auto found = names_.find(name);
    return found == names_.end() ? nullptr : found->second;
}

void CPaintManager::ForgetControl(CControlUI* control) {
    if (focus_ == control) focus_ = nullptr;
    if (root_ == control) root_ = nullptr;
    std::erase_if(names_, [control](const auto& entry) { return entry.second == control; });
    for (auto& [group, members] : optionGroups_) std::erase(members, control);
}

void CPaintManager::AddOptionGroup(const std::wstring& group, CControlUI* option) {
    auto& members = optionGroups_[group];
    if (std::find(members.begin(), members.end(), option) == members.end())
        members.push_back(option);
}

const std::vector<CControlUI*>* CPaintManager::GetOptionGroup(const std::wstring& group) const {
    auto found = optionGroups_.find(group);
    return found == optionGroups_.end() ? nullptr : &found->second;
}

void CPaintManager::SetFocus(CControlUI* control) {
    focus_ = control;
}

void CPaintManager::Invalidate(const CRect& rect) {
    if (rect.IsEmpty()) return;
    if (invalid_.IsEmpty()) {
        invalid_ = rect;
        return;
    }
    invalid_ = {std::min(invalid_.left, rect.left), std::min(invalid_.top, rect.top),
                std::max(invalid_.right, rect.right), std::max(invalid_.bottom, rect.bottom)};
}

void CPaintManager::AddNotifier(INotifyReceiver* receiver) {
    notifiers_.push_back(receiver);
}

void CPaintManager::RemoveNotifier(INotifyReceiver* receiver) {
    std::erase(notifiers_, receiver);
}

void CPaintManager::SendNotify(CControlUI* sender, const std::wstring& type, uint32_t wParam,
                               int32_t lParam) {
    TNotifyMsg msg;
    msg.type = type;
    msg.sender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    // A receiver may remove itself while being notified: walk a copy.
    std::vector<INotifyReceiver*> receivers = notifiers_;
    for (INotifyReceiver* receiver : receivers) receiver->Notify(msg);
}

}  // namespace SkinUI
