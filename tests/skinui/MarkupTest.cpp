#include <gtest/gtest.h>

#include <string>

#include "SkinFixtures.h"
#include "skinui/MarkupDoc.h"
#include "support/TestSupport.h"

namespace {

using SkinUI::CMarkupDoc;
using SkinUI::CMarkupElem;

TEST(MarkupParser, ErrorMessagesAndLocations) {
    struct Case {
        const wchar_t* text;
        const wchar_t* message;
        const wchar_t* location;
    };
    const Case cases[] = {
        {L"<a>x</a> junk", L"Expected start tag", L"junk"},
        {L"<a><b/> junk</a>", L"Expected start tag", L"junk</a>"},
        {L"< a/>", L"Error parsing element name", L" a/>"},
        {L"<a b/>", L"Error while parsing attributes", L"/>"},
        {L"<a $=\"1\"/>", L"Error while parsing attributes", L"$=\"1\"/>"},
        {L"<a b=1/>", L"Expected attribute value", L"1/>"},
        {L"<a b=\"1/>", L"Error while parsing attribute string", L"\"1/>"},
        {L"<a b=\"1\"", L"Expected start-tag closing", L""},
        {L"<a /x>", L"Expected start-tag closing", L"/x>"},
        {L"<a>text", L"Expected end-tag start", L""},
        {L"<a><b/>", L"Expected end-tag start", L""},
        {L"<a></b>", L"Unmatched closing tag", L">"},
        {L"<a></a", L"Unmatched closing tag", L""},
        {L"<a><b></a></b>", L"Unmatched closing tag", L"></b>"},
        {L"</a>", L"Unmatched closing tag", L"</a>"},
    };
    for (const Case& c : cases) {
        CMarkupDoc doc;
        EXPECT_FALSE(doc.Load(c.text));
        EXPECT_EQ(doc.GetLastErrorMessage(), c.message) << doc.GetLastErrorMessage();
        EXPECT_EQ(doc.GetLastErrorLocation(), c.location);
        // A failed document is empty.
        EXPECT_FALSE(doc.GetRoot().IsValid());
    }
}

TEST(MarkupParser, LocationKeeps49Characters) {
    std::wstring tail(80, L'x');
    CMarkupDoc doc;
    EXPECT_FALSE(doc.Load(L"<a/>" + tail));
    EXPECT_EQ(doc.GetLastErrorLocation(), std::wstring(49, L'x'));
}

TEST(MarkupParser, EntitiesDecodeAndUnknownOnesStay) {
    CMarkupDoc doc;
    ASSERT_TRUE(
        doc.Load(L"<a t=\"Fish &amp; Chips\" u=\"&lt;&gt;&quot;&apos;\" v=\"&copy; &amp\" "
                 L"w=\"&&amp;amp;\">x &amp; y &nbsp;</a>"));
    CMarkupElem root = doc.GetRoot();
    EXPECT_STREQ(root.GetAttributeValue(L"t"), L"Fish & Chips");
    EXPECT_STREQ(root.GetAttributeValue(L"u"), L"<>\"'");
    EXPECT_STREQ(root.GetAttributeValue(L"v"), L"&copy; &amp");
    EXPECT_STREQ(root.GetAttributeValue(L"w"), L"&&amp;");
    EXPECT_STREQ(root.GetValue(), L"x & y &nbsp;");
}

TEST(MarkupParser, Only64AttributesAreVisible) {
    std::wstring text = L"<a";
    for (int i = 0; i < 70; ++i)
        text += L" k" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    text += L"/>";
    CMarkupDoc doc;
    ASSERT_TRUE(doc.Load(text));
    CMarkupElem root = doc.GetRoot();
    EXPECT_EQ(root.GetAttributeCount(), 64);
    EXPECT_STREQ(root.GetAttributeName(63), L"k63");
    EXPECT_STREQ(root.GetAttributeValue(63), L"v63");
    EXPECT_STREQ(root.GetAttributeValue(L"k63"), L"v63");
    EXPECT_STREQ(root.GetAttributeValue(L"k64"), L"");
    EXPECT_STREQ(root.GetAttributeName(64), L"");
    EXPECT_STREQ(root.GetAttributeValue(-1), L"");
}

TEST(MarkupParser, CommentsAndDeclarationsVanish) {
    CMarkupDoc doc;
    ASSERT_TRUE(
        doc.Load(L"<?xml version=\"1.0\"?>\r\n<!-- a <b> in a comment -->\n"
                 L"<Window a=\"1\">\n  <!-- inside -->\n  <Label/>\n  <?pi x?>\n  <Button>\n"
                 L"  </Button>\n</Window>\n<!-- after -->"));
    CMarkupElem root = doc.GetRoot();
    EXPECT_STREQ(root.GetName(), L"Window");
    CMarkupElem first = root.GetChild();
    EXPECT_STREQ(first.GetName(), L"Label");
    EXPECT_STREQ(first.GetSibling().GetName(), L"Button");
    EXPECT_FALSE(first.GetSibling().GetSibling().IsValid());
    EXPECT_FALSE(first.HasAttributes());
    EXPECT_EQ(first.GetParent().GetName(), std::wstring(L"Window"));
}

TEST(MarkupParser, TreeLinksAndCopies) {
    CMarkupDoc doc;
    ASSERT_TRUE(doc.Load(L"<r><a x = \"1\"><b/><c/></a><d y=\"\"/></r>"));
    CMarkupElem r = doc.GetRoot();
    CMarkupElem a = r.GetChild();
    EXPECT_TRUE(a.HasChildren());
    EXPECT_STREQ(a.GetChild().GetSibling().GetName(), L"c");
    CMarkupElem d = a.GetSibling();
    EXPECT_STREQ(d.GetName(), L"d");
    EXPECT_TRUE(d.HasAttributes());
    wchar_t buffer[4];
    EXPECT_TRUE(a.GetAttributeValue(L"x", buffer, 4));
    EXPECT_STREQ(buffer, L"1");
    EXPECT_TRUE(d.GetAttributeValue(L"y", buffer, 4));
    EXPECT_STREQ(buffer, L"");
    EXPECT_FALSE(d.GetAttributeValue(L"z", buffer, 4));
    CMarkupDoc cut;
    ASSERT_TRUE(cut.Load(L"<r v=\"abcdef\"/>"));
    EXPECT_TRUE(cut.GetRoot().GetAttributeValue(L"v", buffer, 4));
    EXPECT_STREQ(buffer, L"abc");
}

TEST(MarkupParser, TableGrowsBy500AndAHalf) {
    std::wstring text = L"<r>";
    for (int i = 0; i < 600; ++i) text += L"<c/>";
    text += L"</r>";
    CMarkupDoc doc;
    ASSERT_TRUE(doc.Load(text));
    // Reserved record, the root and 600 children: 500, then 500 + 250 + 500.
    EXPECT_EQ(doc.Count(), 602u);
    EXPECT_EQ(doc.Capacity(), 1250u);
}

TEST(MarkupParser, DeepNestingIsRefusedNotOverflowed) {
    std::wstring text;
    for (int i = 0; i < 100000; ++i) text += L"<a>";
    CMarkupDoc doc;
    EXPECT_FALSE(doc.Load(text));
    EXPECT_EQ(doc.GetLastErrorMessage(), L"Elements nested too deeply");
    std::wstring allowed;
    for (int i = 0; i < CMarkupDoc::kMaxDepth; ++i) allowed += L"<a>";
    for (int i = 0; i < CMarkupDoc::kMaxDepth; ++i) allowed += L"</a>";
    EXPECT_TRUE(doc.Load(allowed));
}

TEST(MarkupParser, LoadFromFileDecodesAndReportsReadErrors) {
    skinui_test::ResourceStateGuard guard;
    testing_support::ScratchDir dir;
    testing_support::WriteFile(dir / "utf8.xml", "\xEF\xBB\xBF<a t=\"\xE4\xB8\xAD\"/>");
    testing_support::WriteFile(dir / "utf16le.xml", std::string("\xFF\xFE<\0a\0/\0>\0", 10));
    testing_support::WriteFile(dir / "utf16be.xml", std::string("\xFE\xFF\0<\0a\0/\0>", 10));
    testing_support::WriteFile(dir / "nobom.xml", std::string("<\0a\0/\0>\0", 8));
    SkinUI::SetResourcePath(skinui_test::WidePath(dir.path()));
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadFromFile(L"utf8.xml"));
    EXPECT_STREQ(doc.GetRoot().GetAttributeValue(L"t"), L"\u4e2d");
    ASSERT_TRUE(doc.LoadFromFile(L"utf16le.xml", 1));
    EXPECT_STREQ(doc.GetRoot().GetName(), L"a");
    ASSERT_TRUE(doc.LoadFromFile(L"utf16be.xml", 1));
    EXPECT_STREQ(doc.GetRoot().GetName(), L"a");
    EXPECT_FALSE(doc.LoadFromFile(L"nobom.xml", 1));
    EXPECT_FALSE(doc.LoadFromFile(L"missing.xml"));
    EXPECT_EQ(doc.GetLastErrorMessage(), L"Error opening file");
    EXPECT_EQ(doc.GetLastErrorLocation(), L"");
}

}  // namespace
