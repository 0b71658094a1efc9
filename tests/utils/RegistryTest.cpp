#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Environment.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "utils/Registry.h"

namespace {

namespace fs = std::filesystem;

struct Value {
    const wchar_t* name;
    std::wstring text;
};
const Value kValues[] = {
    {L"InstallPath", L"C:\\Program Files\\Quillmark"},
    {L"Accented", L"caf\u00e9 \u4e2d\u6587"},
    {L"Blanks", L"  framed by blanks\t "},
    {L"Quoted", L"\"quoted\""},
    {L"Empty", L""},
    {L"Brackets", L"[Install] a=b ; c"},
};

// Exits 0 when the product key holds kValues[args[1]] under the name args[0]
// followed by its name, 1 when it holds something else, 2 when it cannot be read.
QM_CHILD_ENTRY(ReadRegistryValue) {
    const Value& value = kValues[std::stoul(args.at(1))];
    uint32_t type = 0;
    std::wstring text;
    if (!Utils::ReadRegString(platform::FromUtf8(args.at(0)) + value.name, type, text)) return 2;
    return type == platform::kRegistryString && text == value.text ? 0 : 1;
}

// Each test writes value names of its own: on Win32 they go to the real key of
// the current user (the test prefix's), elsewhere to a scratch configuration home.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        saved_ = platform::EnvironmentValue(L"XDG_CONFIG_HOME");
        platform::SetEnvironmentValue(L"XDG_CONFIG_HOME", dir_.path().wstring());
#endif
        prefix_ = L"QmTest" + std::to_wstring(platform::CurrentProcessId()) + L"_";
    }
    void TearDown() override {
#ifndef _WIN32
        platform::SetEnvironmentValue(L"XDG_CONFIG_HOME", saved_);
#endif
    }
    std::wstring Name(const wchar_t* base) const {
        return prefix_ + base;
    }

    testing_support::ScratchDir dir_;
    std::optional<std::wstring> saved_;
    std::wstring prefix_;
};

TEST_F(RegistryTest, RoundTripReadBySecondProcess) {
    for (const Value& v : kValues) ASSERT_TRUE(Utils::WriteRegString(Name(v.name), v.text));
    for (size_t i = 0; i < std::size(kValues); ++i) {
        EXPECT_EQ(testing_support::RunChild("ReadRegistryValue",
                                            {platform::ToUtf8(prefix_), std::to_string(i)}),
                  0u)
            << platform::ToUtf8(kValues[i].name);
    }
#ifndef _WIN32
    EXPECT_TRUE(fs::is_regular_file(dir_ / "VarenSoft" / "Quillmark" / "registry.ini"));
#endif
}

TEST_F(RegistryTest, RewritingReplacesTheValue) {
    ASSERT_TRUE(Utils::WriteRegString(Name(L"UnInstallEp"), L"C:\\old\\uninst.exe"));
    ASSERT_TRUE(Utils::WriteRegString(Name(L"Other"), L"kept"));
    ASSERT_TRUE(Utils::WriteRegString(Name(L"UnInstallEp"), L"C:\\new\\uninst.exe"));
    uint32_t type = 0;
    std::wstring text;
    ASSERT_TRUE(Utils::ReadRegString(Name(L"UnInstallEp"), type, text));
    EXPECT_EQ(text, L"C:\\new\\uninst.exe");
    EXPECT_EQ(type, platform::kRegistryString);
    ASSERT_TRUE(Utils::ReadRegString(Name(L"Other"), type, text));
    EXPECT_EQ(text, L"kept");
}

TEST_F(RegistryTest, MissingValueIsNotRead) {
    uint32_t type = 99;
    std::wstring text = L"untouched";
    EXPECT_FALSE(Utils::ReadRegString(Name(L"NeverWritten"), type, text));
    EXPECT_EQ(text, L"untouched");
}

#ifndef _WIN32
TEST_F(RegistryTest, FileIsCreatedOnFirstWrite) {
    const fs::path file = dir_ / "VarenSoft" / "Quillmark" / "registry.ini";
    uint32_t type = 0;
    std::wstring text;
    EXPECT_FALSE(Utils::ReadRegString(Name(L"InstallPath"), type, text));
    EXPECT_FALSE(fs::exists(file)) << "reading created the file";
    ASSERT_TRUE(Utils::WriteRegString(Name(L"InstallPath"), L"/opt/q"));
    EXPECT_TRUE(fs::is_regular_file(file));
}

// The file holds one entry per line: a line break in the text would forge a
// second entry, so such text is refused.
TEST_F(RegistryTest, TextWithLineBreakIsRefused) {
    EXPECT_FALSE(Utils::WriteRegString(Name(L"Forged"), L"x\n" + Name(L"InstallPath") + L"=evil"));
    uint32_t type = 0;
    std::wstring text;
    EXPECT_FALSE(Utils::ReadRegString(Name(L"InstallPath"), type, text));
    EXPECT_FALSE(Utils::ReadRegString(Name(L"Forged"), type, text));
}
#endif

}  // namespace
