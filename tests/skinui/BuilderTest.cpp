#include <gtest/gtest.h>

#include <memory>

#include "SkinFixtures.h"
#include "skinui/Button.h"
#include "skinui/ControlFactory.h"
#include "skinui/Label.h"
#include "skinui/PaintManager.h"
#include "skinui/Progress.h"
#include "skinui/SkinBuilder.h"
#include "skinui/TabLayout.h"
#include "skinui/platform/ModuleResource.h"
#include "support/TestSupport.h"

namespace {

using namespace SkinUI;

class RecordingHost : public IWindowHost {
public:
    void ApplyInitialSize(const CSize& size) override { initialSize = size; }
    void ApplyOpacity(int alpha) override { opacity = alpha; }
    CSize initialSize;
    int opacity = -1;
};

struct Built {
    CPaintManager manager;
    RecordingHost host;
    CSkinBuilder builder;
    std::unique_ptr<CControlUI> root;

    explicit Built(const std::wstring& markup, ISkinBuilderCallback* callback = nullptr) {
        manager.SetWindowHost(&host);
        root = builder.Create(SkinSource::FromText(markup), callback, &manager);
        if (root) manager.AttachControlTree(root.get());
    }
    ~Built() {
        if (root) manager.AttachControlTree(nullptr);
    }
    CControlUI* Find(const wchar_t* name) { return manager.FindControl(name); }
};

TEST(SkinBuilder, LaterAttributesWin) {
    Built built(
        L"<Window><VerticalLayout><Control name=\"a\" width=\"10\" pos=\"0,0,30,40\"/>"
        L"<Control name=\"b\" pos=\"0,0,30,40\" width=\"10\"/></VerticalLayout></Window>");
    ASSERT_TRUE(built.root);
    EXPECT_EQ(built.Find(L"a")->GetFixedWidth(), 30);
    EXPECT_EQ(built.Find(L"a")->GetFixedHeight(), 40);
    EXPECT_EQ(built.Find(L"b")->GetFixedWidth(), 10);
}

TEST(SkinBuilder, FontsNeedIdAndName) {
    Built built(
        L"<Window><Font name=\"NoId\" size=\"30\"/><Font id=\"2\" size=\"30\"/>"
        L"<Font id=\"-1\" name=\"Negative\"/><Font id=\"3\" name=\"NoSize\"/>"
        L"<Font id=\"0\" name=\"Base\" size=\"14\" default=\"true\"/>"
        L"<Font id=\"4\" name=\"Bold\" size=\"22\" bold=\"true\" underline=\"true\"/>"
        L"<Font id=\"4\" name=\"Replaced\" size=\"40\"/>"
        L"<Font id=\"5\" name=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\" size=\"9\"/>"
        L"<Control/></Window>");
    const CPaintManager& m = built.manager;
    EXPECT_FALSE(m.HasFont(2));
    EXPECT_FALSE(m.HasFont(-1));
    ASSERT_TRUE(m.HasFont(3));
    EXPECT_EQ(m.GetFont(3).size, 12);
    EXPECT_EQ(m.GetDefaultFont().face, L"Base");
    EXPECT_EQ(m.GetFont(4).face, L"Replaced");
    EXPECT_FALSE(m.GetFont(4).bold);
    EXPECT_EQ(m.GetFont(5).face.size(), 31u);
    // Unknown ids fall back to the default font.
    EXPECT_EQ(m.GetFont(99).face, L"Base");
    EXPECT_EQ(m.GetFont(-1).face, L"Base");
}

TEST(SkinBuilder, WindowAttributesGoToTheManager) {
    Built built(
        L"<Window size=\"600,400\" CAPTION=\"0,0,0,35\" roundcorner=\"2,2\" opacity=\"200\" "
        L"showshadow=\"true\" shadowcolor=\"#26003B76\"><Control/></Window>");
    const TWindowSettings& s = built.manager.GetWindowSettings();
    EXPECT_EQ(s.initSize, (CSize{600, 400}));
    EXPECT_EQ(built.host.initialSize, (CSize{600, 400}));
    EXPECT_EQ(s.caption, (CRect{0, 0, 0, 35}));
    EXPECT_EQ(s.roundCorner, (CSize{2, 2}));
    EXPECT_EQ(built.host.opacity, 200);
    ASSERT_TRUE(built.manager.GetWindowCustomAttribute(L"showshadow"));
    EXPECT_EQ(*built.manager.GetWindowCustomAttribute(L"shadowcolor"), L"#26003B76");

    // Without a native window, and for a root not named Window, nothing is applied.
    CPaintManager headless;
    CSkinBuilder builder;
    auto root = builder.Create(SkinSource::FromText(L"<Window size=\"1,2\"><Control/></Window>"),
                               nullptr, &headless);
    EXPECT_TRUE(root);
    EXPECT_EQ(headless.GetWindowSettings().initSize, (CSize{}));
    Built other(L"<Dialog size=\"1,2\"><Control/></Dialog>");
    EXPECT_EQ(other.manager.GetWindowSettings().initSize, (CSize{}));
}

TEST(SkinBuilder, UnknownElementsAreSkippedWithTheirSubtree) {
    Built built(
        L"<Window><VerticalLayout name=\"root\"><Gadget name=\"g\"><Button name=\"inner\"/>"
        L"</Gadget><TileLayout name=\"t\"/><Label name=\"after\"/></VerticalLayout></Window>");
    ASSERT_TRUE(built.root);
    EXPECT_FALSE(built.Find(L"g"));
    EXPECT_FALSE(built.Find(L"inner"));
    auto* box = static_cast<IContainerUI*>(built.root->GetInterface(kContainerInterface));
    ASSERT_EQ(box->GetCount(), 1);
    EXPECT_EQ(box->GetItemAt(0), built.Find(L"after"));
}

TEST(SkinBuilder, ParentWithoutContainerStopsThatLevel) {
    Built built(
        L"<Window><VerticalLayout><Label name=\"l\"><Button name=\"x\"/><Button name=\"y\"/>"
        L"</Label><Button name=\"z\"/></VerticalLayout></Window>");
    ASSERT_TRUE(built.root);
    EXPECT_TRUE(built.Find(L"l"));
    EXPECT_FALSE(built.Find(L"x"));
    EXPECT_FALSE(built.Find(L"y"));
    EXPECT_TRUE(built.Find(L"z"));
    // Building into a parent that holds no children gives nothing.
    CLabelUI label;
    CSkinBuilder builder;
    EXPECT_EQ(builder.Create(SkinSource::FromText(L"<Window><Button/></Window>"), nullptr, nullptr,
                             &label),
              nullptr);
}

TEST(SkinBuilder, DefaultsApplyBeforeTheElementsOwnAttributes) {
    Built built(
        L"<Window><Default name=\"Button\" value=\"width=&quot;50&quot; height=&quot;20&quot;\"/>"
        L"<HorizontalLayout><Button name=\"a\"/><Button name=\"b\" width=\"70\"/><Label "
        L"name=\"c\"/>"
        L"</HorizontalLayout></Window>");
    EXPECT_EQ(built.Find(L"a")->GetFixedWidth(), 50);
    EXPECT_EQ(built.Find(L"b")->GetFixedWidth(), 70);
    EXPECT_EQ(built.Find(L"b")->GetFixedHeight(), 20);
    EXPECT_EQ(built.Find(L"c")->GetFixedWidth(), 0);
}

TEST(SkinBuilder, NameMapFirstRegistrationWins) {
    Built built(
        L"<Window><VerticalLayout><Label name=\"dup\" text=\"first\"/><Label name=\"dup\" "
        L"text=\"second\"/></VerticalLayout></Window>");
    ASSERT_TRUE(built.Find(L"dup"));
    EXPECT_EQ(built.Find(L"dup")->GetText(), L"first");
    EXPECT_FALSE(built.Find(L"DUP"));
}

class Callback : public ISkinBuilderCallback {
public:
    std::unique_ptr<CControlUI> CreateControl(const std::wstring& className) override {
        asked.push_back(className);
        if (className == L"SequenceLabel") return std::make_unique<CLabelUI>();
        return nullptr;
    }
    std::vector<std::wstring> asked;
};

std::unique_ptr<CControlUI> PluginCreator(std::wstring_view className) {
    if (className == L"Plugged") return std::make_unique<CButtonUI>();
    return nullptr;
}

TEST(SkinBuilder, BuiltinsThenPluginsThenTheCallback) {
    AddControlCreator(PluginCreator);
    Callback callback;
    Built built(
        L"<Window><VBox><hbox name=\"h\"/><Plugged name=\"p\"/><SequenceLabel name=\"s\"/>"
        L"<Nothing/><checkbox name=\"c\"/></VBox></Window>",
        &callback);
    RemoveControlCreator(PluginCreator);
    EXPECT_EQ(built.root->GetClass(), kVerticalLayoutClass);
    EXPECT_EQ(built.Find(L"h")->GetClass(), kHorizontalLayoutClass);
    EXPECT_EQ(built.Find(L"p")->GetClass(), kButtonClass);
    EXPECT_EQ(built.Find(L"s")->GetClass(), kLabelClass);
    EXPECT_EQ(built.Find(L"c")->GetClass(), kCheckBoxClass);
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"SequenceLabel", L"Nothing"}));
}

TEST(SkinBuilder, IncludeRepeatsAFileIntoTheParent) {
    skinui_test::ResourceStateGuard guard;
    testing_support::ScratchDir dir;
    testing_support::WriteFile(dir / "item.xml",
                               "<Window><Label name=\"item\" height=\"5\"/></Window>");
    testing_support::WriteFile(dir / "self.xml",
                               "<Window><VerticalLayout><Include source=\"self.xml\"/>"
                               "</VerticalLayout></Window>");
    SetResourcePath(skinui_test::WidePath(dir.path()));
    Built built(
        L"<Window><VerticalLayout><Include source=\"item.xml\" count=\"3\"/><Include "
        L"source=\"item.xml\"/><Include source=\"missing.xml\"/><Include source=\"self.xml\"/>"
        L"</VerticalLayout></Window>");
    ASSERT_TRUE(built.root);
    auto* box = static_cast<IContainerUI*>(built.root->GetInterface(kContainerInterface));
    // Four items, then the self-including file nested until the depth limit.
    ASSERT_EQ(box->GetCount(), 5);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(box->GetItemAt(i)->GetName(), L"item");
    int depth = 0;
    for (CControlUI* c = box->GetItemAt(4); c; ++depth) {
        auto* inner = static_cast<IContainerUI*>(c->GetInterface(kContainerInterface));
        c = inner && inner->GetCount() ? inner->GetItemAt(0) : nullptr;
    }
    EXPECT_EQ(depth, CSkinBuilder::kMaxIncludeDepth);
}

TEST(SkinBuilder, LoadFailuresReturnNullWithTheReason) {
    skinui_test::ResourceStateGuard guard;
    CSkinBuilder builder;
    EXPECT_FALSE(
        builder.Create(SkinSource::FromText(L"<Window><Button></Window>"), nullptr, nullptr));
    EXPECT_EQ(builder.GetMarkup().GetLastErrorMessage(), L"Unmatched closing tag");
    EXPECT_FALSE(builder.Create(SkinSource::FromText(L"nothing.xml"), nullptr, nullptr));
    EXPECT_EQ(builder.GetMarkup().GetLastErrorMessage(), L"Error opening file");
    EXPECT_FALSE(builder.Create(SkinSource::FromResource(4242, L"xml"), nullptr, nullptr));
}

TEST(SkinBuilder, BuildsTheFixtureSkinFromTheEmbeddedArchive) {
    skinui_test::ResourceStateGuard guard;
    auto bytes = SkinUI::platform::FindModuleResource(
        nullptr, SkinUI::platform::ResourceIdName(147), L"ZIPRES");
    ASSERT_FALSE(bytes.empty());
    SetResourceZipMemory(bytes.data(), bytes.size());
    CPaintManager manager;
    RecordingHost host;
    manager.SetWindowHost(&host);
    CSkinBuilder builder;
    auto root = builder.Create(SkinSource::FromText(L"MainWnd.xml"), nullptr, &manager);
    ASSERT_TRUE(root) << builder.GetMarkup().GetLastErrorMessage();
    manager.AttachControlTree(root.get());
    root->SetPos({0, 0, host.initialSize.cx, host.initialSize.cy});
    EXPECT_EQ(host.initialSize, (CSize{600, 400}));
    auto* install = static_cast<CButtonUI*>(manager.FindControl(L"installBtn"));
    ASSERT_TRUE(install);
    // 600 wide, the 232-pixel button between two spacers.
    EXPECT_EQ(install->GetPos().left, 184);
    EXPECT_EQ(install->GetPos().Width(), 232);
    EXPECT_EQ(install->GetTextColor(), 0xFF112233u);
    EXPECT_EQ(install->GetText(), L"立即安装");
    auto* pages = static_cast<CTabLayoutUI*>(manager.FindControl(L"pages"));
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->GetCurSel(), 0);
    EXPECT_FALSE(manager.FindControl(L"progressPage")->IsVisible());
    EXPECT_EQ(manager.FindControl(L"footer")->GetText(), L"Quillmark & friends");
    // Both footers were included; the first keeps the name.
    auto* box = static_cast<IContainerUI*>(root->GetInterface(kContainerInterface));
    EXPECT_EQ(box->GetCount(), 4);
    // A label without width takes its text's: 19 narrow characters of the
    // 14-pixel default font, 7 each, until a text renderer measures them.
    EXPECT_EQ(box->GetItemAt(3)->GetPos(), (CRect{0, 380, 133, 400}));
    manager.AttachControlTree(nullptr);
}

}  // namespace
