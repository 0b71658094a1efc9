#include <gtest/gtest.h>

#include "skinui/ImageAttr.h"
#include "skinui/ValueSyntax.h"

namespace {

using namespace SkinUI;

TEST(ValueSyntax, Colors) {
    struct Case {
        const wchar_t* text;
        Color expected;
    };
    const Case cases[] = {
        {L"#FFFFFFFF", 0xFFFFFFFF},
        {L"0xFFFFFFFF", 0xFFFFFFFF},
        {L"#ff26003b", 0xFF26003B},
        {L"#26003B76", 0x26003B76},
        {L"FF00FF", 0x00FF00FF},
        {L"#", 0},
        {L"", 0},
        {L"#12zz", 0x12},
        {L"#1FFFFFFFF", 0xFFFFFFFF},
        {L"#0x", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected);
}

TEST(ValueSyntax, RectanglesSizesAndNumbers) {
    EXPECT_EQ(ParseRect(L"1,2,3,4"), (CRect{1, 2, 3, 4}));
    EXPECT_EQ(ParseRect(L"-5,0,10,-2"), (CRect{-5, 0, 10, -2}));
    EXPECT_EQ(ParseRect(L"1;2;3;4"), (CRect{1, 2, 3, 4}));
    // A short value leaves the rest 0 and reads nothing past its end.
    EXPECT_EQ(ParseRect(L"7,8"), (CRect{7, 8, 0, 0}));
    EXPECT_EQ(ParseRect(L""), (CRect{}));
    EXPECT_EQ(ParseSize(L"600,400"), (CSize{600, 400}));
    EXPECT_EQ(ParseSize(L"6"), (CSize{6, 0}));
    EXPECT_EQ(ParseInt(L" 42px"), 42);
    EXPECT_EQ(ParseInt(L"-7"), -7);
    EXPECT_EQ(ParseInt(L"x"), 0);
    EXPECT_EQ(ParseInt(L"99999999999"), 2147483647);
    EXPECT_TRUE(ParseBool(L"true"));
    EXPECT_FALSE(ParseBool(L"TRUE"));
    EXPECT_FALSE(ParseBool(L"1"));
}

TEST(ImageAttrSyntax, BareNamesAndPairs) {
    TImageAttr bare = ParseImageAttr(L"res\\mainWnd\\bg1.png");
    EXPECT_EQ(bare.name, L"res\\mainWnd\\bg1.png");
    EXPECT_EQ(bare.fade, 255);

    TImageAttr full = ParseImageAttr(
        L"file='a.png' dest='1,2,3,4' source='5,6,7,8' corner='1,1,2,2' mask='#FFFF00FF' "
        L"fade='128' hole='true' xtiled='true' ytiled='false' hsl='true'");
    EXPECT_EQ(full.name, L"a.png");
    EXPECT_EQ(full.dest, (CRect{1, 2, 3, 4}));
    EXPECT_EQ(full.source, (CRect{5, 6, 7, 8}));
    EXPECT_EQ(full.corner, (CRect{1, 1, 2, 2}));
    EXPECT_EQ(full.mask, 0xFFFF00FFu);
    EXPECT_EQ(full.fade, 128);
    EXPECT_TRUE(full.hole);
    EXPECT_TRUE(full.xtiled);
    EXPECT_FALSE(full.ytiled);
    EXPECT_TRUE(full.hsl);

    EXPECT_EQ(ParseImageAttr(L"file='a.png' scale9='3,3,3,3'").corner, (CRect{3, 3, 3, 3}));
    TImageAttr color = ParseImageAttr(L"color='#FF102030'");
    EXPECT_EQ(color.name, L"#FF102030");
    EXPECT_EQ(color.resType, kColorImageType);
    TImageAttr res = ParseImageAttr(L"res='PNG1' restype='PNG'");
    EXPECT_EQ(res.name, L"PNG1");
    EXPECT_EQ(res.resType, L"PNG");

    // Parsing stops at the first pair that no single space follows.
    TImageAttr stopped = ParseImageAttr(L"file='a.png'  fade='10'");
    EXPECT_EQ(stopped.name, L"a.png");
    EXPECT_EQ(stopped.fade, 255);
    TImageAttr glued = ParseImageAttr(L"file='a.png'fade='10'");
    EXPECT_EQ(glued.fade, 255);
    EXPECT_EQ(ParseImageAttr(L"fade='999'").fade, 255);
}

}  // namespace
