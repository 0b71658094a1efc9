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

}  // namespace
