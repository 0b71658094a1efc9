#include <gtest/gtest.h>

#include "platform/Text.h"

namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::wstring text = L"a\u00e9\u00a0\u4e2d\U0001F600z";
    const std::string utf8 = platform::ToUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xC2\xA0\xE4\xB8\xAD\xF0\x9F\x98\x80z");
    EXPECT_EQ(platform::FromUtf8(utf8), text);
}

TEST(Utf8, IllFormedBytesBecomeReplacements) {
    struct Case {
        const char* bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"a\xFF" "b", L"a\uFFFDb"},          // invalid lead byte
        {"\xC3", L"\uFFFD"},                // cut sequence
        {"\xC0\xAF", L"\uFFFD"},            // overlong "/"
        {"\xED\xA0\x80", L"\uFFFD"},        // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD"},    // above U+10FFFF
        {"\xE4\xB8" "x", L"\uFFFDx"},       // continuation missing
    };
    for (const Case& c : cases) EXPECT_EQ(platform::FromUtf8(c.bytes), c.text) << c.bytes;
}

}  // namespace
