#include <gtest/gtest.h>

#include "utils/Strings.h"

namespace {

TEST(ReplaceAll, Cases) {
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        const wchar_t* replacement;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"${ROUTE}", L"${ROUTE}", L"download_silent", L"download_silent"},
        {L"http://h/${ROUTE}/x/${ROUTE}", L"${ROUTE}", L"r", L"http://h/r/x/r"},
        {L"none", L"${ROUTE}", L"r", L"none"},
        // Restarting from the start finds occurrences that a replacement forms.
        {L"aabb", L"ab", L"", L""},
        // A replacement containing the pattern is replaced once per occurrence.
        {L"x-a-a", L"a", L"aa", L"x-aa-aa"},
        {L"abc", L"", L"z", L"abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utils::ReplaceAll(c.text, c.pattern, c.replacement), c.expected);
    }
}

TEST(UrlEncode, Cases) {
    struct Case {
        std::wstring text;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"a b\u00e9%", L"a+b%C3%A9%"},
        {L"http://h/p?x=1&y=/", L"http://h/p?x=1&y=/"},
        {L"~!*'()", L"~!*'()"},
        {L"\t\r\n", L"%09%0D%0A"},
        {std::wstring(1, L'\0') + L"\x7F", L"%00%7F"},
        {L"\u4e2d", L"%E4%B8%AD"},
        {L"\U0001F600", L"%F0%9F%98%80"},
        {L"\u00a0", L"%C2%A0"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utils::UrlEncode(c.text), c.expected) << testing::PrintToString(c.text);
    }
}

TEST(Trim, Cases) {
    struct Case {
        std::wstring text;
        std::wstring left, right, both;
    };
    const Case cases[] = {
        {L"\t\r\n inner text \n\t", L"inner text \n\t", L"\t\r\n inner text", L"inner text"},
        {L"\v\fx\v\f", L"x\v\f", L"\v\fx", L"x"},
        // A non-breaking space (and any other non-ASCII space) is text.
        {L"x\u00a0", L"x\u00a0", L"x\u00a0", L"x\u00a0"},
        {L"\u3000x", L"\u3000x", L"\u3000x", L"\u3000x"},
        {L" \t ", L"", L"", L""},
        {L"", L"", L"", L""},
        {L"a b", L"a b", L"a b", L"a b"},
        {std::wstring(1, L'\0') + L" ", std::wstring(1, L'\0') + L" ", std::wstring(1, L'\0'),
         std::wstring(1, L'\0')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utils::TrimLeft(c.text), c.left) << testing::PrintToString(c.text);
        EXPECT_EQ(Utils::TrimRight(c.text), c.right) << testing::PrintToString(c.text);
        EXPECT_EQ(Utils::Trim(c.text), c.both) << testing::PrintToString(c.text);
    }
}

TEST(StartsWith, OnlyAtTheStart) {
    EXPECT_TRUE(Utils::StartsWith(L"State=3", L"State="));
    EXPECT_TRUE(Utils::StartsWith(L"x", L""));
    EXPECT_FALSE(Utils::StartsWith(L"xState=", L"State="));
    EXPECT_FALSE(Utils::StartsWith(L"Sta", L"State"));
    EXPECT_FALSE(Utils::StartsWith(L"state=", L"State="));
}

TEST(ToDecimalString, Values) {
    EXPECT_EQ(Utils::ToDecimalString(0), L"0");
    EXPECT_EQ(Utils::ToDecimalString(4294967295u), L"4294967295");
    EXPECT_EQ(Utils::ToDecimalString(18446744073709551615u), L"18446744073709551615");
}

}  // namespace
