#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "FakePrograms.h"
#include "pipeline/InstallationRecord.h"
#include "platform/Environment.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "utils/Registry.h"

namespace {

namespace fs = std::filesystem;
using pipeline_test::Wide;

std::wstring Read(const wchar_t* name) {
    uint32_t type = 0;
    std::wstring text;
    return Utils::ReadRegString(name, type, text) ? text : L"<none>";
}

// On Win32 the record is the real key of the current user (the test prefix's);
// elsewhere it lives under a scratch configuration home.
class InstallationRecordTest : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        saved_ = platform::EnvironmentValue(L"XDG_CONFIG_HOME");
        platform::SetEnvironmentValue(L"XDG_CONFIG_HOME", Wide(config_.path()));
#endif
        Utils::WriteRegString(L"InstallPath", L"");
        Utils::WriteRegString(L"UnInstallEp", L"");
    }
    void TearDown() override {
#ifndef _WIN32
        platform::SetEnvironmentValue(L"XDG_CONFIG_HOME", saved_);
#endif
    }

    testing_support::ScratchDir config_;
    testing_support::ScratchDir dir_;
    std::optional<std::wstring> saved_;
};

TEST_F(InstallationRecordTest, FindsTheRecordedCopyAndItsEntryFile) {
    OldInstallation none = FindOldInstallation();
    EXPECT_EQ(none.installDir, L"");
    EXPECT_EQ(none.uninstallEntry, L"");

    Utils::WriteRegString(L"InstallPath", L"C:\\Apps\\Q");
    OldInstallation onlyFolder = FindOldInstallation();
    EXPECT_EQ(onlyFolder.installDir, L"C:\\Apps\\Q");
    EXPECT_EQ(onlyFolder.uninstallEntry, platform::JoinPath(L"C:\\Apps\\Q", L"uninst.ep"));

    Utils::WriteRegString(L"UnInstallEp", L"D:\\Other\\uninst.ep");
    EXPECT_EQ(FindOldInstallation().uninstallEntry, L"D:\\Other\\uninst.ep");
}

TEST_F(InstallationRecordTest, KeepsTheOldCopyOnlyInItsOwnFolderWhenSetIniSaysSo) {
    const fs::path q = dir_ / "Q";
    const fs::path other = dir_ / "Other";
    fs::create_directories(q);
    fs::create_directories(other);
    const std::wstring sep(1, platform::kPathSeparator);
    struct Case {
        const char* setIni;  // nullptr: no file
        std::wstring chosen;
        bool keep;
    };
    const Case cases[] = {
        {"[Uninstall]\nIsOverride=false\n", Wide(q), true},
        {"[Uninstall]\nIsOverride=false\n", Wide(q) + sep, true},
        {"[Uninstall]\nIsOverride=true\n", Wide(q), false},
        {"[Uninstall]\nIsOverride=FALSE\n", Wide(q), false},
        {"[Other]\nIsOverride=false\n", Wide(q), false},
        {nullptr, Wide(q), false},
        {"[Uninstall]\nIsOverride=false\n", Wide(other), false},
    };
    for (const auto& c : cases) {
        fs::remove(q / "set.ini");
        fs::remove(other / "set.ini");
        if (c.setIni) {
            testing_support::WriteFile(fs::path(c.chosen) / "set.ini", c.setIni);
        }
        EXPECT_EQ(KeepOldInstallation(Wide(q), c.chosen), c.keep)
            << (c.setIni ? c.setIni : "no set.ini") << " in " << fs::path(c.chosen);
    }
}

TEST_F(InstallationRecordTest, RecordsTheFolderAndOnlyAnEntryFileThatExists) {
    const std::wstring q = Wide(dir_ / "Q");
    fs::create_directories(dir_ / "Q");
    const std::wstring defaultEntry = platform::JoinPath(q, L"uninst.ep");
    const std::wstring reported = Wide(dir_ / "reported.ep");

    Utils::WriteRegString(L"UnInstallEp", L"earlier");
    RecordInstallation(q, L"");
    EXPECT_EQ(Read(L"InstallPath"), q);
    EXPECT_EQ(Read(L"UnInstallEp"), L"earlier");

    RecordInstallation(q, reported);
    EXPECT_EQ(Read(L"UnInstallEp"), L"earlier");

    testing_support::WriteFile(dir_ / "Q" / "uninst.ep", "program");
    RecordInstallation(q, L"");
    EXPECT_EQ(Read(L"UnInstallEp"), defaultEntry);

    testing_support::WriteFile(dir_ / "reported.ep", "program");
    RecordInstallation(q, reported);
    EXPECT_EQ(Read(L"UnInstallEp"), reported);
}

}  // namespace
