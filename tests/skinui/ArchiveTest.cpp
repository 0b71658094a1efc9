#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "SkinFixtures.h"
#include "skinui/Resources.h"
#include "skinui/SkinArchive.h"
#include "skinui/SkinFile.h"
#include "skinui/platform/ModuleResource.h"
#include "support/TestSupport.h"

namespace {

using SkinUI::CSkinArchive;
using skinui_test::FixturePath;
using skinui_test::ReadBytes;

std::unique_ptr<CSkinArchive> OpenFixture(const std::string& name) {
    std::vector<uint8_t> bytes = ReadBytes(FixturePath(name));
    return CSkinArchive::OpenMemory(bytes.data(), bytes.size());
}

std::string Content(const CSkinArchive& archive, const std::wstring& name) {
    auto found = archive.Find(name);
    if (!found) return "<missing>";
    std::string bytes(found->size, '\0');
    EXPECT_TRUE(archive.Extract(found->index, bytes.data()));
    return bytes;
}

TEST(SkinArchive, LooksNamesUpIgnoringCaseAndSlashesButNotLength) {
    auto archive = OpenFixture("skin.7z");
    ASSERT_TRUE(archive);
    struct Case {
        const wchar_t* name;
        bool found;
    };
    const Case cases[] = {
        {L"mainWnd.xml", true},
        {L"MainWnd.xml", true},
        {L"mainwnd.XML", true},
        {L"res\\mainWnd\\bg1.png", true},
        {L"res/mainWnd/bg1.png", true},
        {L"RES\\MESSAGEBOXWND/yesbtn1.PNG", true},
        {L"mainWnd.xm", false},  // a prefix of an entry is not the entry
        {L"mainWnd.xmll", false},
        {L"res/mainWnd", false},  // folders are not entries
        {L"res\\mainWnd\\installPrg3.png", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(archive->Find(c.name).has_value(), c.found)
            << std::string(c.name, c.name + wcslen(c.name));
    }
    // Both spellings reach the same entry.
    EXPECT_EQ(archive->Find(L"res\\mainWnd\\bg1.png")->index,
              archive->Find(L"res/mainWnd/bg1.png")->index);
}

TEST(SkinArchive, HoldsEveryFileAndNoFolder) {
    auto archive = OpenFixture("skin.7z");
    ASSERT_TRUE(archive);
    std::vector<std::wstring> names;
    for (const auto& entry : archive->Entries()) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"mainWnd.xml", L"parts/footer.xml",
                                                L"res/MessageBoxWnd/yesBtn1.png",
                                                L"res/mainWnd/bg1.png"}));
    // Item indexes count the folders too, so at least one index is skipped.
    uint32_t highest = 0;
    for (const auto& entry : archive->Entries()) highest = std::max(highest, entry.itemIndex);
    EXPECT_GT(highest, archive->Entries().size() - 1);
    EXPECT_FALSE(archive->Extract(highest + 1, nullptr));
}

TEST(SkinArchive, RefusesWhatIsNoArchive) {
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        {'7', 'z'},
        std::vector<uint8_t>(64, 0),
        {'P', 'K', 3, 4, 0, 0, 0, 0},
    };
    for (const auto& bytes : inputs) {
        EXPECT_FALSE(CSkinArchive::OpenMemory(bytes.data(), bytes.size()));
    }
    EXPECT_FALSE(CSkinArchive::OpenMemory(nullptr, 10));
    EXPECT_FALSE(CSkinArchive::OpenFile(L"no-such-archive.7z"));
    // A cut archive loses its database at the end.
    std::vector<uint8_t> bytes = ReadBytes(FixturePath("skin.7z"));
    EXPECT_FALSE(CSkinArchive::OpenMemory(bytes.data(), bytes.size() - 10));
}

TEST(SkinArchive, DamagedFileKeepsTheEntriesBeforeIt) {
    std::vector<uint8_t> bytes = ReadBytes(FixturePath("stored.7z"));
    const char marker[] = "SECOND-ENTRY-CONTENT";
    auto at = std::search(bytes.begin(), bytes.end(), marker, marker + std::strlen(marker));
    ASSERT_NE(at, bytes.end());
    at[3] ^= 0x20;  // the block's checksum no longer matches
    auto archive = CSkinArchive::OpenMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(archive);
    ASSERT_EQ(archive->Entries().size(), 1u);
    EXPECT_EQ(Content(*archive, L"1-first.txt"), "FIRST-ENTRY-CONTENT");
    EXPECT_FALSE(archive->Find(L"2-second.txt"));
    EXPECT_FALSE(archive->Find(L"3-third.txt"));
}

TEST(SkinArchive, OpensFromFile) {
    auto archive = CSkinArchive::OpenFile(skinui_test::WidePath(FixturePath("stored.7z")));
    ASSERT_TRUE(archive);
    EXPECT_EQ(Content(*archive, L"3-THIRD.txt"), "THIRD-ENTRY-CONTENT");
}

TEST(ReadSkinFile, ArchiveLimitsAndTexts) {
    skinui_test::ResourceStateGuard guard;
    std::vector<uint8_t> bytes = ReadBytes(FixturePath("limits.7z"));
    SkinUI::SetResourceZipMemory(bytes.data(), bytes.size());
    struct Case {
        const wchar_t* name;
        const wchar_t* error;
        size_t size;
    };
    const Case cases[] = {
        {L"exact.xml", L"", 4194304},
        {L"over.xml", L"File too large", 0},
        {L"empty.xml", L"File is empty", 0},
        {L"absent.xml", L"Could not find ziped file", 0},
    };
    for (const Case& c : cases) {
        SkinUI::SkinFileResult result = SkinUI::ReadSkinFile(c.name);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.bytes.size(), c.size);
    }
}

TEST(ReadSkinFile, DiskLimitsAndTexts) {
    skinui_test::ResourceStateGuard guard;
    testing_support::ScratchDir dir;
    testing_support::WriteFile(dir / "exact.xml", std::string(4194304, '<'));
    testing_support::WriteFile(dir / "over.xml", std::string(4194305, '<'));
    testing_support::WriteFile(dir / "empty.xml", "");
    SkinUI::SetResourcePath(skinui_test::WidePath(dir.path()));
    struct Case {
        const wchar_t* name;
        const wchar_t* error;
        size_t size;
    };
    const Case cases[] = {
        {L"exact.xml", L"", 4194304},
        {L"over.xml", L"File too large", 0},
        {L"empty.xml", L"File is empty", 0},
        {L"absent.xml", L"Error opening file", 0},
    };
    for (const Case& c : cases) {
        SkinUI::SkinFileResult result = SkinUI::ReadSkinFile(c.name);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.bytes.size(), c.size);
    }
}

TEST(ReadSkinFile, ArchiveFileCachedOrNot) {
    skinui_test::ResourceStateGuard guard;
    SkinUI::SetResourcePath(skinui_test::WidePath(FixturePath("")));
    for (bool cached : {true, false}) {
        SkinUI::SetResourceZipFile(L"stored.7z", cached);
        EXPECT_EQ(SkinUI::GetCachedArchive() != nullptr, cached);
        SkinUI::SkinFileResult result = SkinUI::ReadSkinFile(L"1-first.txt");
        EXPECT_EQ(std::string(result.bytes.begin(), result.bytes.end()), "FIRST-ENTRY-CONTENT");
    }
    SkinUI::SetResourceZipFile(L"missing.7z", true);
    EXPECT_EQ(SkinUI::ReadSkinFile(L"1-first.txt").error, L"Error opening zip file");
    SkinUI::SetResourceZipFile(L"missing.7z", false);
    EXPECT_EQ(SkinUI::ReadSkinFile(L"1-first.txt").error, L"Error opening zip file");
}

TEST(ResourceState, MemoryArchiveOpensOncePerProcess) {
    skinui_test::ResourceStateGuard guard;
    std::vector<uint8_t> bytes = ReadBytes(FixturePath("stored.7z"));
    SkinUI::SetResourceZipMemory(bytes.data(), bytes.size());
    const CSkinArchive* first = SkinUI::GetCachedArchive();
    ASSERT_TRUE(first);
    // A later window hands its own copy, which is not looked at: even garbage
    // leaves the open archive in place.
    std::vector<uint8_t> garbage(bytes.size(), 0xAB);
    SkinUI::SetResourceZipMemory(garbage.data(), garbage.size());
    EXPECT_EQ(SkinUI::GetCachedArchive(), first);
    EXPECT_TRUE(SkinUI::ReadSkinFile(L"2-second.txt").Ok());
    EXPECT_EQ(SkinUI::GetResourceZipName(), L"membuffer");
}

TEST(ResourceState, ResourcePathGetsASeparator) {
    skinui_test::ResourceStateGuard guard;
    SkinUI::SetResourcePath(L"skins");
    EXPECT_TRUE(SkinUI::GetResourcePath() == L"skins\\" || SkinUI::GetResourcePath() == L"skins/");
    SkinUI::SetResourcePath(L"a\\");
    EXPECT_EQ(SkinUI::GetResourcePath(), L"a\\");
    SkinUI::SetResourcePath(L"b/");
    EXPECT_EQ(SkinUI::GetResourcePath(), L"b/");
    SkinUI::SetResourcePath(L"");
    EXPECT_EQ(SkinUI::GetResourcePath(), L"");
}

TEST(ModuleResource, EmbeddedArchiveIsFoundAndOpens) {
    using namespace SkinUI::platform;
    auto bytes = FindModuleResource(nullptr, ResourceIdName(147), L"ZIPRES");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), ReadBytes(FixturePath("skin.7z")));
    EXPECT_TRUE(FindModuleResource(nullptr, ResourceIdName(148), L"ZIPRES").empty());
    EXPECT_TRUE(FindModuleResource(nullptr, ResourceIdName(147), L"XML").empty());
    auto archive = CSkinArchive::OpenMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(archive);
    EXPECT_TRUE(archive->Find(L"MainWnd.xml"));
}

}  // namespace
