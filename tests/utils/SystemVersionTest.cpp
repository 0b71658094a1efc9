#include <gtest/gtest.h>

#include "platform/SystemVersion.h"
#include "utils/SystemVersion.h"

namespace {

TEST(WindowsVersionLabel, Table) {
    struct Case {
        uint32_t major, minor, build;
        bool serverR2;
        const wchar_t* label;
    };
    const Case cases[] = {
        {0, 0, 0, false, L"XP-"},          {4, 10, 1998, false, L"XP-"},
        {5, 0, 2195, false, L"2K"},        {5, 1, 2600, false, L"XP"},
        {5, 2, 3790, false, L"Server 2003"}, {5, 2, 3790, true, L"Server 2003 R2"},
        {5, 3, 0, false, L"XP+"},          {6, 0, 6002, false, L"Vista"},
        {6, 1, 7601, false, L"7"},         {6, 2, 9200, false, L"8"},
        {6, 3, 9600, false, L"8.1"},       {6, 4, 0, false, L"8.1+"},
        {10, 0, 19045, false, L"10"},      {10, 1, 0, false, L"10+"},
        {7, 0, 1, false, L"7.0.1"},        {11, 2, 0xF0004A65, false, L"11.2.19045"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utils::WindowsVersionLabel(c.major, c.minor, c.build, c.serverR2), c.label)
            << c.major << "." << c.minor << "." << c.build;
    }
}

TEST(GetOsName, NamesTheRunningSystem) {
    std::wstring family, label;
    Utils::GetOsName(family, label);
    const platform::SystemVersion version = platform::QuerySystemVersion();
    EXPECT_EQ(family, version.family);
    if (family == L"Windows") {
        EXPECT_EQ(label, Utils::WindowsVersionLabel(version.major, version.minor, version.build,
                                                    version.serverR2));
        EXPECT_FALSE(label.empty());
    } else {
        EXPECT_EQ(family, L"Linux");
        EXPECT_EQ(label, version.release);
        EXPECT_EQ(label.find(L"XP"), std::wstring::npos);
    }
}

}  // namespace
