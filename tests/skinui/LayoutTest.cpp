#include <gtest/gtest.h>

#include <memory>

#include "skinui/Button.h"
#include "skinui/HorizontalLayout.h"
#include "skinui/Label.h"
#include "skinui/Option.h"
#include "skinui/PaintManager.h"
#include "skinui/TabLayout.h"
#include "skinui/VerticalLayout.h"

namespace {

using namespace SkinUI;

template <typename T>
T* AddChild(CContainerUI& box, const std::wstring& attributes = {}) {
    auto child = std::make_unique<T>();
    child->ApplyAttributeList(attributes);
    T* raw = child.get();
    EXPECT_TRUE(box.Add(std::move(child)));
    return raw;
}

TEST(HorizontalLayout, SpacersCentreAFixedButton) {
    struct Case {
        int button;
        int left;
        int right;
    };
    for (const Case& c : {Case{232, 183, 183}, Case{233, 182, 183}}) {
        CHorizontalLayoutUI row;
        CControlUI* before = AddChild<CControlUI>(row);
        CButtonUI* button =
            AddChild<CButtonUI>(row, L"height=\"96\" width=\"" + std::to_wstring(c.button) + L"\"");
        CControlUI* after = AddChild<CControlUI>(row);
        row.SetPos({1, 10, 599, 106});
        EXPECT_EQ(before->GetPos(), (CRect{1, 10, 1 + c.left, 106}));
        EXPECT_EQ(button->GetPos(), (CRect{1 + c.left, 10, 1 + c.left + c.button, 106}));
        EXPECT_EQ(after->GetPos(), (CRect{599 - c.right, 10, 599, 106}));
    }
}

TEST(VerticalLayout, PaddingChildPaddingAndInset) {
    CVerticalLayoutUI column;
    column.ApplyAttributeList(L"inset=\"5,5,5,5\" childpadding=\"4\"");
    CControlUI* top = AddChild<CControlUI>(column, L"height=\"20\" padding=\"3,2,1,6\"");
    CControlUI* fill = AddChild<CControlUI>(column);
    CControlUI* bottom = AddChild<CControlUI>(column, L"height=\"10\" width=\"30\"");
    column.SetPos({0, 0, 100, 200});
    // 190 high inside; fixed 20 + 10, paddings 2 + 6, two child paddings.
    EXPECT_EQ(top->GetPos(), (CRect{8, 7, 94, 27}));
    EXPECT_EQ(fill->GetPos(), (CRect{5, 37, 95, 181}));
    EXPECT_EQ(bottom->GetPos(), (CRect{5, 185, 35, 195}));
}

TEST(VerticalLayout, MinMaxAlignmentHiddenAndFloat) {
    CVerticalLayoutUI column;
    column.ApplyAttributeList(L"childalign=\"center\"");
    CControlUI* capped = AddChild<CControlUI>(column, L"maxheight=\"30\" width=\"40\"");
    CControlUI* hidden = AddChild<CControlUI>(column, L"height=\"50\" visible=\"false\"");
    CControlUI* floating = AddChild<CControlUI>(column, L"float=\"true\" pos=\"5,6,25,16\"");
    CControlUI* raised =
        AddChild<CControlUI>(column, L"height=\"5\" minheight=\"12\" maxwidth=\"60\"");
    CControlUI* rest = AddChild<CControlUI>(column);
    column.SetPos({0, 0, 100, 100});
    EXPECT_EQ(capped->GetPos(), (CRect{30, 0, 70, 30}));
    EXPECT_EQ(hidden->GetPos(), (CRect{}));
    EXPECT_EQ(floating->GetPos(), (CRect{5, 6, 25, 16}));
    EXPECT_EQ(raised->GetPos(), (CRect{20, 30, 80, 42}));
    // Stretch share (100 - 12) / 2 = 44; the last stretch child takes the rest.
    EXPECT_EQ(rest->GetPos(), (CRect{0, 42, 100, 100}));

    CHorizontalLayoutUI row;
    row.ApplyAttributeList(L"childvalign=\"bottom\"");
    CControlUI* low = AddChild<CControlUI>(row, L"width=\"10\" height=\"20\" padding=\"0,0,0,4\"");
    row.SetPos({0, 0, 50, 50});
    EXPECT_EQ(low->GetPos(), (CRect{0, 26, 10, 46}));
}

TEST(Label, EstimatesItsHeightFromTheFont) {
    CPaintManager manager;
    manager.AddFont(0, {L"face", 14}, true, false);
    CVerticalLayoutUI column;
    CLabelUI* label = AddChild<CLabelUI>(column, L"text=\"abcd\" textpadding=\"2,1,2,3\"");
    manager.AttachControlTree(&column);
    column.SetPos({0, 0, 200, 100});
    // Font height 14 + 8 + text padding 1 + 3; four narrow characters of 7.
    EXPECT_EQ(label->GetPos(), (CRect{0, 0, 32, 26}));
    manager.AttachControlTree(nullptr);
}

class NotifyLog : public INotifyReceiver {
public:
    void Notify(TNotifyMsg& msg) override {
        events.push_back(msg.type + L":" + msg.sender->GetName() + L":" +
                         std::to_wstring(msg.wParam) + L":" + std::to_wstring(msg.lParam));
    }
    std::vector<std::wstring> events;
};

TEST(TabLayout, SelectionRules) {
    CPaintManager manager;
    NotifyLog log;
    manager.AddNotifier(&log);
    CTabLayoutUI tabs;
    tabs.SetName(L"pages");
    CControlUI* hiddenFirst = AddChild<CControlUI>(tabs, L"visible=\"false\"");
    CControlUI* page1 = AddChild<CControlUI>(tabs, L"height=\"30\"");
    CControlUI* page2 = AddChild<CControlUI>(tabs);
    manager.AttachControlTree(&tabs);
    // The first visible child added is the selection; later ones are hidden.
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_FALSE(hiddenFirst->IsVisible());
    EXPECT_FALSE(page2->IsVisible());
    tabs.SetPos({0, 0, 50, 60});
    EXPECT_EQ(page1->GetPos(), (CRect{0, 0, 50, 30}));

    EXPECT_FALSE(tabs.SelectItem(3));
    EXPECT_FALSE(tabs.SelectItem(-1));
    EXPECT_TRUE(tabs.SelectItem(1));
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(tabs.SelectItem(2));
    EXPECT_EQ(log.events, std::vector<std::wstring>{L"tabselect:pages:2:1"});
    EXPECT_TRUE(page2->IsVisible());
    EXPECT_FALSE(page1->IsVisible());
    EXPECT_EQ(manager.GetFocus(), page2);
    EXPECT_TRUE(tabs.SelectItem(0, false));
    EXPECT_EQ(log.events.size(), 1u);

    // Removing the selected page selects the first.
    EXPECT_TRUE(tabs.Remove(hiddenFirst));
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_TRUE(page1->IsVisible());
    tabs.RemoveAll();
    EXPECT_EQ(tabs.GetCurSel(), -1);
    manager.AttachControlTree(nullptr);
}

TEST(Option, GroupsSelectOneAtATime) {
    CPaintManager manager;
    NotifyLog log;
    manager.AddNotifier(&log);
    CHorizontalLayoutUI row;
    COptionUI* a = AddChild<COptionUI>(row, L"name=\"a\" group=\"g\"");
    COptionUI* b = AddChild<COptionUI>(row, L"name=\"b\" group=\"g\"");
    COptionUI* loose = AddChild<COptionUI>(row, L"name=\"c\"");
    manager.AttachControlTree(&row);
    a->Selected(true);
    b->Selected(true);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    b->Selected(true);  // no change, no event
    loose->Selected(true, false);
    EXPECT_EQ(log.events,
              (std::vector<std::wstring>{L"selectchanged:a:0:0", L"selectchanged:b:0:0"}));
    EXPECT_TRUE(loose->IsSelected());
    b->SetEnabled(false);
    EXPECT_EQ(b->GetButtonState(), COptionUI::kSelected);
    manager.AttachControlTree(nullptr);
}

TEST(Control, ClassAndInterfaceQueries) {
    CTabLayoutUI tabs;
    EXPECT_EQ(tabs.GetClass(), kTabLayoutClass);
    EXPECT_EQ(tabs.GetInterface(L"TabLayout"), &tabs);
    EXPECT_EQ(tabs.GetInterface(L"Container"), &tabs);
    EXPECT_EQ(tabs.GetInterface(L"IContainer"), static_cast<IContainerUI*>(&tabs));
    EXPECT_EQ(tabs.GetInterface(L"Control"), &tabs);
    EXPECT_EQ(tabs.GetInterface(L"Button"), nullptr);
    CButtonUI button;
    EXPECT_EQ(button.GetInterface(L"Label"), &button);
    EXPECT_EQ(button.GetInterface(L"IContainer"), nullptr);
}

TEST(Control, AttributesAndCustomOnes) {
    CLabelUI label;
    label.ApplyAttributeList(
        L"width=\"10\" pos=\"1,2,31,42\" userdata=\"u\" tag=\"7\" isstretchfore=\"false\" "
        L"align=\"center right\" valign=\"bottom\" multiline=\"true\" bordersize=\"2\"");
    EXPECT_EQ(label.GetFixedWidth(), 30);
    EXPECT_EQ(label.GetFixedHeight(), 40);
    EXPECT_EQ(label.GetUserData(), L"u");
    EXPECT_EQ(label.GetTag(), 7);
    ASSERT_TRUE(label.GetCustomAttribute(L"isstretchfore"));
    EXPECT_EQ(*label.GetCustomAttribute(L"isstretchfore"), L"false");
    EXPECT_EQ(label.GetTextStyle() & TextStyle::kHorizontalMask, TextStyle::kRight);
    EXPECT_EQ(label.GetTextStyle() & TextStyle::kVerticalMask, TextStyle::kBottom);
    EXPECT_TRUE(label.IsMultiLine());
    EXPECT_EQ(label.GetBorderSize(), (CRect{2, 2, 2, 2}));
    label.SetAttribute(L"width", L"-5");  // negative sizes are ignored
    EXPECT_EQ(label.GetFixedWidth(), 30);
}

}  // namespace

namespace {

TEST(Layout, HugeValuesStayInRange) {
    using namespace SkinUI;
    CHorizontalLayoutUI row;
    row.ApplyAttributeList(L"childpadding=\"2147483647\" inset=\"-2147483648,0,0,0\"");
    std::vector<CControlUI*> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(AddChild<CControlUI>(
            row, L"width=\"99999999999\" padding=\"2147483647,0,2147483647,0\""));
    }
    CControlUI* stretch = AddChild<CControlUI>(row);
    row.SetPos({0, 0, 2147483647, 100});
    EXPECT_EQ(children[0]->GetFixedWidth(), kMaxExtent);
    EXPECT_EQ(row.GetPos().right, kMaxCoordinate);
    for (CControlUI* child : children) EXPECT_LE(child->GetPos().right, kMaxCoordinate);
    // What is left is far more than a control may take.
    EXPECT_EQ(stretch->GetPos().Width(), CControlUI::kMaxSize);
}

}  // namespace
