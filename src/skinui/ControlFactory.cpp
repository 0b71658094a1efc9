#include "skinui/ControlFactory.h"

#include <algorithm>
#include <vector>

#include "skinui/Button.h"
#include "skinui/CheckBox.h"
#include "skinui/Container.h"
#include "skinui/Edit.h"
#include "skinui/HorizontalLayout.h"
#include "skinui/Label.h"
#include "skinui/Option.h"
#include "skinui/Progress.h"
#include "skinui/TabLayout.h"
#include "skinui/VerticalLayout.h"

namespace SkinUI {
namespace {

template <typename T>
std::unique_ptr<CControlUI> Make() {
    return std::make_unique<T>();
}

struct BuiltinClass {
    const wchar_t* name;
    std::unique_ptr<CControlUI> (*create)();
};

constexpr BuiltinClass kBuiltinClasses[] = {
    {L"Control", Make<CControlUI>},
    {L"Container", Make<CContainerUI>},
    {L"VerticalLayout", Make<CVerticalLayoutUI>},
    {L"VBox", Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", Make<CHorizontalLayoutUI>},
    {L"HBox", Make<CHorizontalLayoutUI>},
    {L"TabLayout", Make<CTabLayoutUI>},
    {L"Label", Make<CLabelUI>},
    {L"Button", Make<CButtonUI>},
    {L"Option", Make<COptionUI>},
    {L"CheckBox", Make<CCheckBoxUI>},
    {L"Edit", Make<CEditUI>},
    {L"Progress", Make<CProgressUI>},
};

std::vector<ControlCreator>& Creators() {
    static std::vector<ControlCreator> creators;
    return creators;
}

}  // namespace

std::unique_ptr<CControlUI> CreateBuiltinControl(std::wstring_view className) {
    for (const BuiltinClass& entry : kBuiltinClasses) {
        if (EqualsNoCase(className, entry.name)) return entry.create();
    }
    return nullptr;
}

void AddControlCreator(ControlCreator creator) {
    Creators().push_back(creator);
}

void RemoveControlCreator(ControlCreator creator) {
    std::erase(Creators(), creator);
}

std::unique_ptr<CControlUI> CreatePluginControl(std::wstring_view className) {
    for (ControlCreator creator : Creators()) {
        if (auto control = creator(className)) return control;
    }
    return nullptr;
}

}  // namespace SkinUI
