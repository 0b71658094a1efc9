#include <gtest/gtest.h>

#include "utils/Format.h"

namespace {

using Utils::FormatWide;

TEST(FormatWide, Conversions) {
    EXPECT_EQ(FormatWide(L"%05d|%-4d|%+d|%x|%X|%o|%u", {42, 7, 3, 255, 255, 8, 5}),
              L"00042|7   |+3|ff|FF|10|5");
    EXPECT_EQ(FormatWide(L"%ld %lld %I64d %lu %hd", {1L, 2LL, int64_t{3}, 4UL, short{5}}),
              L"1 2 3 4 5");
    EXPECT_EQ(FormatWide(L"%.2f|%f|%g|%e", {0.5, 1.25, 0.0001, 12345.0}),
              L"0.50|1.250000|0.0001|1.234500e+04");
    EXPECT_EQ(FormatWide(L"[%s][%5s][%-5s][%.2s]", {L"abc", L"ab", L"ab", L"abc"}),
              L"[abc][   ab][ab   ][ab]");
    EXPECT_EQ(FormatWide(L"%c%c", {L'x', wchar_t(0x4e2d)}), L"x\u4e2d");
    EXPECT_EQ(FormatWide(L"100%%", {}), L"100%");
}

TEST(FormatWide, UnsignedViewOfNegativeKeepsItsWidth) {
    EXPECT_EQ(FormatWide(L"%u %x", {-1, int64_t{-1}}), L"4294967295 ffffffffffffffff");
}

TEST(FormatWide, FaultsShowInsteadOfReadingGarbage) {
    EXPECT_EQ(FormatWide(L"a=%d b=%s", {1}), L"a=1 b=%s");
    EXPECT_EQ(FormatWide(L"%d", {L"text"}), L"text");
    EXPECT_EQ(FormatWide(L"%s", {12}), L"12");
    EXPECT_EQ(FormatWide(L"tail %", {1}), L"tail %");
    EXPECT_EQ(FormatWide(L"%y", {1}), L"%y");
    EXPECT_EQ(FormatWide(L"%s", {static_cast<const wchar_t*>(nullptr)}), L"(null)");
}

}  // namespace
