#include <gtest/gtest.h>

#include "utils/Encoding.h"

namespace {

using Utils::kUtf8CodePage;

struct Case {
    const char* name;
    std::string narrow;
    unsigned codePage;
    std::wstring wide;
};

// Pairs that convert into each other both ways.
const Case kRoundTrips[] = {
    {"ascii", "Quillmark 1.0", kUtf8CodePage, L"Quillmark 1.0"},
    {"e acute", "caf\xC3\xA9", kUtf8CodePage, L"caf\u00e9"},
    {"non-breaking space",
     "a\xC2\xA0"
     "b",
     kUtf8CodePage, L"a\u00a0b"},
    {"cjk", "\xE4\xB8\xAD\xE6\x96\x87", kUtf8CodePage, L"\u4e2d\u6587"},
    {"beyond the BMP", "\xF0\x9F\x98\x80", kUtf8CodePage, L"\U0001F600"},
    {"embedded NUL", std::string("a\0b", 3), kUtf8CodePage, std::wstring(L"a\0b", 3)},
    {"empty", "", kUtf8CodePage, L""},
    {"gbk", "\xD6\xD0\xCE\xC4 OK", 936, L"\u4e2d\u6587 OK"},
    {"gbk e acute", "\xA8\xA6", 936, L"\u00e9"},
    {"western", "caf\xE9", 1252, L"caf\u00e9"},
};

TEST(Encoding, RoundTrips) {
    for (const Case& c : kRoundTrips) {
        EXPECT_EQ(Utils::ToWide(c.narrow, c.codePage), c.wide) << c.name;
        EXPECT_EQ(Utils::ToNarrow(c.wide, c.codePage), c.narrow) << c.name;
    }
}

TEST(Encoding, UndecodableBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Utils::ToWide("a\x80"
                            "b",
                            kUtf8CodePage),
              L"a\uFFFDb");
    const Case cases[] = {
        {"lone continuation",
         "a\x80"
         "b",
         kUtf8CodePage, L"a\uFFFDb"},
        {"cut sequence", "a\xE4\xB8", kUtf8CodePage, L"a\uFFFD"},
        {"overlong slash", "\xC0\xAF", kUtf8CodePage, L"\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", kUtf8CodePage, L"\uFFFD\uFFFD\uFFFD"},
#ifndef _WIN32  // Windows maps a cut double-byte character to its own default
        {"gbk lead without trail", "\xD6", 936, L"\uFFFD"},
#endif
    };
    for (const Case& c : cases) {
        const std::wstring wide = Utils::ToWide(c.narrow, c.codePage);
        // Systems differ in how many replacements a bad sequence gives; none
        // lets a bad byte through and the good text around stays.
        EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos) << c.name;
        for (wchar_t ch : wide) EXPECT_TRUE(ch == L'\uFFFD' || ch < 0x80) << c.name;
        if (c.wide.front() == L'a') {
            EXPECT_EQ(wide.front(), L'a') << c.name;
        }
    }
}

TEST(Encoding, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Utils::ToNarrow(L"a\u4e2db", 1252), "a?b");
}

TEST(Encoding, UnknownCodePageGivesEmptyText) {
    EXPECT_EQ(Utils::ToWide("abc", 12345), L"");
    EXPECT_EQ(Utils::ToNarrow(L"abc", 12345), "");
}

#ifndef _WIN32
// Here the ANSI code page of file names and INI files is UTF-8.
TEST(Encoding, AnsiIsUtf8Here) {
    EXPECT_EQ(Utils::ToNarrow(L"caf\u00e9", Utils::kAnsiCodePage), "caf\xC3\xA9");
    EXPECT_EQ(Utils::ToWide("caf\xC3\xA9", Utils::kAnsiCodePage), L"caf\u00e9");
}
#endif

}  // namespace
