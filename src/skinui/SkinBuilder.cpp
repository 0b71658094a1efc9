#include "skinui/SkinBuilder.h"

#include <algorithm>
#include <string>

#include "platform/Text.h"
#include "skinui/ControlFactory.h"
#include "skinui/PaintManager.h"
#include "skinui/Resources.h"
#include "skinui/platform/ModuleResource.h"

namespace SkinUI {
namespace {

bool IsWindowLevelElement(std::wstring_view name) {
    return EqualsNoCase(name, L"Image") || EqualsNoCase(name, L"Font") ||
           EqualsNoCase(name, L"Default") || EqualsNoCase(name, L"MultiLanguage");
}

std::wstring Attribute(const CMarkupElem& element, const wchar_t* name) {
    return element.GetAttributeValue(std::wstring_view(name));
}

bool HasAttribute(const CMarkupElem& element, const wchar_t* name) {
    wchar_t probe[1];
    return element.GetAttributeValue(std::wstring_view(name), probe, 1);
}

void AddFont(const CMarkupElem& node, CPaintManager& manager) {
    if (!HasAttribute(node, L"id") || !HasAttribute(node, L"name")) return;
    int id = ParseInt(Attribute(node, L"id"));
    if (id < 0) return;
    TFontInfo font;
    font.face = Attribute(node, L"name");
    if (HasAttribute(node, L"size")) font.size = ParseInt(Attribute(node, L"size"));
    font.bold = ParseBool(Attribute(node, L"bold"));
    font.underline = ParseBool(Attribute(node, L"underline"));
    font.italic = ParseBool(Attribute(node, L"italic"));
    manager.AddFont(id, font, ParseBool(Attribute(node, L"default")),
                    ParseBool(Attribute(node, L"shared")));
}

}  // namespace

bool CSkinBuilder::Load(const SkinSource& source) {
    source_ = source;
    if (source.resourceId != 0) {
        auto bytes = platform::FindModuleResource(GetResourceInstance(),
                                                  platform::ResourceIdName(source.resourceId),
                                                  source.resourceType);
        std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        return markup_.Load(::platform::FromUtf8(text));
    }
    if (source.text.starts_with(L"<")) return markup_.Load(source.text);
    return markup_.LoadFromFile(source.text, 0);
}

void CSkinBuilder::ApplyWindowElements(const CMarkupElem& root, CPaintManager& manager) {
    for (CMarkupElem node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        std::wstring_view name = node.GetName();
        if (EqualsNoCase(name, L"Image")) {
            manager.AddImage(Attribute(node, L"name"), Attribute(node, L"restype"),
                             ParseColor(Attribute(node, L"mask")),
                             ParseBool(Attribute(node, L"shared")));
        } else if (EqualsNoCase(name, L"Font")) {
            AddFont(node, manager);
        } else if (EqualsNoCase(name, L"Default")) {
            std::wstring className = Attribute(node, L"name");
            if (!className.empty()) {
                manager.AddDefaultAttributeList(className, Attribute(node, L"value"),
                                                ParseBool(Attribute(node, L"shared")));
            }
        } else if (EqualsNoCase(name, L"MultiLanguage")) {
            int id = ParseInt(Attribute(node, L"id"));
            if (HasAttribute(node, L"id") && id >= 0) {
                manager.AddMultiLanguageString(id, Attribute(node, L"value"));
            }
        }
    }
}

std::unique_ptr<CControlUI> CSkinBuilder::CreateByClass(const std::wstring& className) {
    if (auto control = CreateBuiltinControl(className)) return control;
    if (auto control = CreatePluginControl(className)) return control;
    return callback_ ? callback_->CreateControl(className) : nullptr;
}

void CSkinBuilder::BuildInclude(const CMarkupElem& node, const Level& level,
                                CPaintManager* manager) {
    if (includeDepth_ >= kMaxIncludeDepth) return;
    int count = HasAttribute(node, L"count") ? ParseInt(Attribute(node, L"count")) : 1;
    count = std::min(count, kMaxIncludeCount);
    std::wstring included = Attribute(node, L"source");
    SkinSource source = source_.resourceId != 0
                            ? SkinSource::FromResource(static_cast<unsigned>(ParseInt(included)),
                                                       source_.resourceType)
                            : SkinSource::FromText(included);
    for (int i = 0; i < count; ++i) {
        CSkinBuilder builder;
        builder.includeDepth_ = includeDepth_ + 1;
        if (level.parent) {
            builder.Create(source, callback_, manager, level.parent);
        } else if (!*level.root) {
            *level.root = builder.Create(source, callback_, manager);
        }
    }
}

CControlUI* CSkinBuilder::Build(const Level& level, const CMarkupElem& element,
                                CPaintManager* manager) {
    CControlUI* first = nullptr;
    for (CMarkupElem node = element.GetChild(); node.IsValid(); node = node.GetSibling()) {
        std::wstring className = node.GetName();
        if (IsWindowLevelElement(className)) continue;
        if (EqualsNoCase(className, L"Include")) {
            BuildInclude(node, level, manager);
            continue;
        }
        // Tree nodes belong to the tree view, which this toolkit does not have.
        if (EqualsNoCase(className, L"TreeNode")) continue;
        if (!level.parent && *level.root) continue;
        std::unique_ptr<CControlUI> created = CreateByClass(className);
        if (!created) continue;
        CControlUI* control = created.get();
        // A child level that cannot be added stops only that level.
        if (node.HasChildren()) Build({control, nullptr}, node, manager);

        if (!level.parent) {
            *level.root = std::move(created);
        } else if (ParseBool(node.GetAttributeValue(std::wstring_view(L"cover")))) {
            level.parent->SetCover(std::move(created));
        } else {
            auto* container =
                static_cast<IContainerUI*>(level.parent->GetInterface(kContainerInterface));
            if (!container) return nullptr;
            if (!container->Add(std::move(created))) continue;
        }

        if (manager) {
            control->SetManager(manager, level.parent, false);
            if (const std::wstring* defaults = manager->GetDefaultAttributeList(className)) {
                control->ApplyAttributeList(*defaults);
            }
        }
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
        }
        if (manager) control->SetManager(nullptr, level.parent, false);
        if (!first) first = control;
    }
    return first;
}

CControlUI* CSkinBuilder::Run(const SkinSource& source, ISkinBuilderCallback* callback,
                              CPaintManager* manager, const Level& level) {
    callback_ = callback;
    if (!Load(source)) return nullptr;
    CMarkupElem root = markup_.GetRoot();
    if (!root.IsValid()) return nullptr;
    if (manager) {
        ApplyWindowElements(root, *manager);
        if (EqualsNoCase(root.GetName(), L"Window") && manager->GetWindowHost()) {
            for (int i = 0; i < root.GetAttributeCount(); ++i) {
                manager->SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
            }
        }
    }
    return Build(level, root, manager);
}

std::unique_ptr<CControlUI> CSkinBuilder::Create(const SkinSource& source,
                                                 ISkinBuilderCallback* callback,
                                                 CPaintManager* manager) {
    std::unique_ptr<CControlUI> root;
    Run(source, callback, manager, {nullptr, &root});
    return root;
}

CControlUI* CSkinBuilder::Create(const SkinSource& source, ISkinBuilderCallback* callback,
                                 CPaintManager* manager, CControlUI* parent) {
    if (!parent) return nullptr;
    return Run(source, callback, manager, {parent, nullptr});
}

}  // namespace SkinUI
