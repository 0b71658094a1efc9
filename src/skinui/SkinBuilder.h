#pragma once
// Turns a window description into a tree of controls, handing the window-
// level elements (images, fonts, default attribute lists, strings) and the
// root's window attributes to the paint manager.
#include <memory>
#include <string>

#include "skinui/Control.h"
#include "skinui/MarkupDoc.h"

namespace SkinUI {

class CPaintManager;

// The window's own control classes.
class ISkinBuilderCallback {
public:
    virtual ~ISkinBuilderCallback() = default;
    virtual std::unique_ptr<CControlUI> CreateControl(const std::wstring& className) = 0;
};

// Markup text (beginning with "<"), a skin file name, or a program resource.
struct SkinSource {
    std::wstring text;
    unsigned resourceId = 0;  // non-zero: the resource (id, resourceType)
    std::wstring resourceType;

    static SkinSource FromText(std::wstring text) { return {std::move(text), 0, {}}; }
    static SkinSource FromResource(unsigned id, std::wstring type) {
        return {{}, id, std::move(type)};
    }
};

class CSkinBuilder {
public:
    // A file that includes itself, directly or through others, stops here
    // instead of recursing until the stack runs out.
    static constexpr int kMaxIncludeDepth = 8;
    // An Include repeats its file at most this often.
    static constexpr int kMaxIncludeCount = 1000;

    // The root: the first control of the top level; further top-level
    // controls have no parent to own them and are not built. Null when the
    // source cannot be loaded or parsed (see GetMarkup for why).
    std::unique_ptr<CControlUI> Create(const SkinSource& source, ISkinBuilderCallback* callback,
                                       CPaintManager* manager);
    // Builds into parent, which owns what is built; returns the first control
    // built, or null (also when parent cannot hold children).
    CControlUI* Create(const SkinSource& source, ISkinBuilderCallback* callback,
                       CPaintManager* manager, CControlUI* parent);

    const CMarkupDoc& GetMarkup() const { return markup_; }

private:
    struct Level {
        CControlUI* parent;
        std::unique_ptr<CControlUI>* root;  // where a parentless level keeps its control
    };

    bool Load(const SkinSource& source);
    void ApplyWindowElements(const CMarkupElem& root, CPaintManager& manager);
    CControlUI* Build(const CSkinBuilder::Level& level, const CMarkupElem& element,
                      CPaintManager* manager);
    void BuildInclude(const CMarkupElem& node, const Level& level, CPaintManager* manager);
    std::unique_ptr<CControlUI> CreateByClass(const std::wstring& className);
    CControlUI* Run(const SkinSource& source, ISkinBuilderCallback* callback,
                    CPaintManager* manager, const Level& level);

    CMarkupDoc markup_;
    ISkinBuilderCallback* callback_ = nullptr;
    int includeDepth_ = 0;
    SkinSource source_;
};

}  // namespace SkinUI
