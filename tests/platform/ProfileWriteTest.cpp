#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/Profile.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::wstring Read(const std::wstring& section, const std::wstring& key,
                  const std::filesystem::path& file) {
    return platform::ReadProfileString(section, key, L"<none>", file.wstring(), 260);
}

TEST(WriteProfileString, CreatesFileSectionAndKey) {
    ScratchDir dir;
    const auto file = dir / "set.ini";
    ASSERT_TRUE(platform::WriteProfileString(L"Install", L"AppName", L"Quillmark", file.wstring()));
    ASSERT_TRUE(
        platform::WriteProfileString(L"Install", L"APPStore", L"setup.exe", file.wstring()));
    ASSERT_TRUE(platform::WriteProfileString(L"Other", L"k", L"v", file.wstring()));
    EXPECT_EQ(Read(L"Install", L"AppName", file), L"Quillmark");
    EXPECT_EQ(Read(L"install", L"appstore", file), L"setup.exe");
    EXPECT_EQ(Read(L"Other", L"k", file), L"v");
#ifndef _WIN32
    EXPECT_EQ(ReadFile(file),
              "[Install]\r\nAppName=Quillmark\r\nAPPStore=setup.exe\r\n[Other]\r\nk=v\r\n");
#endif
}

TEST(WriteProfileString, ReplacesTheFirstKeyAndKeepsEveryOtherLine) {
    ScratchDir dir;
    const auto file = dir / "KXAnalytics.ini";
    WriteFile(file,
              "; written by hand\n[Install]\nDeviceID=old\n\n; note\nDeviceID=second\n"
              "Keep=1\n[Later]\nDeviceID=other\n");
    ASSERT_TRUE(platform::WriteProfileString(L"INSTALL", L"deviceid", L"new", file.wstring()));
    EXPECT_EQ(Read(L"Install", L"DeviceID", file), L"new");
    EXPECT_EQ(Read(L"Install", L"Keep", file), L"1");
    EXPECT_EQ(Read(L"Later", L"DeviceID", file), L"other");
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("; written by hand"), std::string::npos);
    EXPECT_NE(text.find("; note"), std::string::npos);
#ifndef _WIN32
    EXPECT_EQ(text,
              "; written by hand\n[Install]\ndeviceid=new\n\n; note\nDeviceID=second\n"
              "Keep=1\n[Later]\nDeviceID=other\n");
#endif
}

TEST(WriteProfileString, NewKeyGoesAfterTheLastEntryOfItsSection) {
    ScratchDir dir;
    const auto file = dir / "a.ini";
    WriteFile(file, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
    ASSERT_TRUE(platform::WriteProfileString(L"A", L"z", L"3", file.wstring()));
    ASSERT_TRUE(platform::WriteProfileString(L"B", L"w", L"4", file.wstring()));
    EXPECT_EQ(Read(L"A", L"z", file), L"3");
    EXPECT_EQ(Read(L"B", L"y", file), L"2");
    EXPECT_EQ(Read(L"B", L"w", file), L"4");
#ifndef _WIN32
    EXPECT_EQ(ReadFile(file), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
#endif
}

TEST(WriteProfileString, ValuesAreStoredAsGiven) {
    ScratchDir dir;
    const auto file = dir / "v.ini";
    const std::wstring values[] = {L"caf\u00e9", L"a=b", L"", L"\"quoted\"", L"C:\\x\\y"};
    for (const std::wstring& value : values) {
        ASSERT_TRUE(platform::WriteProfileString(L"S", L"k", value, file.wstring()));
        const std::wstring expected =
            value.size() >= 2 && value.front() == L'"' ? value.substr(1, value.size() - 2) : value;
        EXPECT_EQ(Read(L"S", L"k", file), expected);
    }
}

#ifndef _WIN32
TEST(WriteProfileString, Utf16FileStaysUtf16) {
    ScratchDir dir;
    const auto file = dir / "u.ini";
    WriteFile(file, std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0", 22));
    ASSERT_TRUE(platform::WriteProfileString(L"S", L"j", L"\u4e2d", file.wstring()));
    EXPECT_EQ(
        ReadFile(file),
        std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0j\0=\0\x2D\x4E\r\0\n\0", 32));
    EXPECT_EQ(Read(L"S", L"k", file), L"\u00e9");
}

// Bytes that are no UTF-8 belong to lines nobody asked to change: they stay.
TEST(WriteProfileString, OtherLinesKeepTheirBytes) {
    ScratchDir dir;
    const auto file = dir / "raw.ini";
    const std::string before = "[S]\nlatin=caf\xE9\nk=1\n";
    WriteFile(file, before);
    ASSERT_TRUE(platform::WriteProfileString(L"S", L"k", L"2", file.wstring()));
    EXPECT_EQ(ReadFile(file), "[S]\nlatin=caf\xE9\nk=2\n");
}

// A line break would forge entries; such names and values are refused and the
// file stays as it was.
TEST(WriteProfileString, RefusesWhatWouldForgeEntries) {
    ScratchDir dir;
    const auto file = dir / "f.ini";
    WriteFile(file, "[S]\nk=1\n");
    const struct {
        std::wstring section, key, value;
    } cases[] = {
        {L"S", L"k", L"x\r\n[Admin]\r\nok=1"},
        {L"S", L"k", L"x\ny=2"},
        {L"S]\n[T", L"k", L"v"},
        {L"S", L"k\nj", L"v"},
        {L"S", L"a=b", L"v"},
        {L"S", L"[T]", L"v"},
        {L"S", L"  ", L"v"},
        {L"S", L"k", std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(platform::WriteProfileString(c.section, c.key, c.value, file.wstring()));
    }
    EXPECT_EQ(ReadFile(file), "[S]\nk=1\n");
}
#endif

// Threads writing keys of their own into one file lose none of them.
TEST(WriteProfileString, ConcurrentWritersLoseNothing) {
    ScratchDir dir;
    const std::wstring file = (dir / "shared.ini").wstring();
    constexpr int kThreads = 4, kKeys = 25;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int k = 0; k < kKeys; ++k) {
                const std::wstring key = L"t" + std::to_wstring(t) + L"k" + std::to_wstring(k);
                platform::WriteProfileString(L"S", key, std::to_wstring(k), file);
            }
        });
    }
    for (auto& writer : writers) writer.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kKeys; ++k) {
            const std::wstring key = L"t" + std::to_wstring(t) + L"k" + std::to_wstring(k);
            EXPECT_EQ(platform::ReadProfileString(L"S", key, L"<none>", file, 260),
                      std::to_wstring(k));
        }
    }
}

TEST(WriteProfileString, MissingFolderFails) {
    ScratchDir dir;
    EXPECT_FALSE(platform::WriteProfileString(L"S", L"k", L"v", (dir / "no" / "f.ini").wstring()));
}

}  // namespace
