#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Environment.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "utils/Folders.h"

namespace {

namespace fs = std::filesystem;
using platform::kPathSeparator;
using testing_support::ScratchDir;

std::wstring Join(const std::wstring& folder, std::initializer_list<const wchar_t*> names) {
    std::wstring path = folder;
    for (const wchar_t* name : names) path = platform::JoinPath(path, name);
    return path;
}

TEST(MakeDirectories, CreatesEachLevelInTurn) {
    ScratchDir dir;
    const std::wstring deepest = Join(dir.path().wstring(), {L"a", L"b", L"c"});
    ASSERT_TRUE(Utils::MakeDirectories(deepest));
    EXPECT_TRUE(fs::is_directory(deepest));
    // Again: everything exists already.
    EXPECT_TRUE(Utils::MakeDirectories(deepest));
}

TEST(MakeDirectories, TrailingSeparatorCreatesEveryLevelAndNothingMore) {
    ScratchDir dir;
    const std::wstring path = Join(dir.path().wstring(), {L"x", L"y"}) + kPathSeparator;
    ASSERT_TRUE(Utils::MakeDirectories(path));
    EXPECT_TRUE(fs::is_directory(dir / "x" / "y"));
    EXPECT_TRUE(fs::is_empty(dir / "x" / "y"));
}

TEST(MakeDirectories, FileInTheWayFails) {
    ScratchDir dir;
    testing_support::WriteFile(dir / "file", "not a folder");
    EXPECT_FALSE(Utils::MakeDirectories(Join(dir.path().wstring(), {L"file", L"below"})));
    EXPECT_FALSE(Utils::MakeDirectories(Join(dir.path().wstring(), {L"file"})));
    EXPECT_FALSE(fs::exists(dir / "file" / "below"));
}

TEST(MakeDirectories, PathsBeyond260CharactersAreRefusedWhole) {
    ScratchDir dir;
    std::wstring path = Join(dir.path().wstring(), {L"long"});
    while (path.size() <= 260) path = platform::JoinPath(path, L"level");
    EXPECT_FALSE(Utils::MakeDirectories(path));
    EXPECT_FALSE(fs::exists(dir / "long")) << "a refused path was partly created";
#ifdef _WIN32
    path.resize(240);  // CreateDirectoryW itself takes no more than 248 characters
#else
    path.resize(260);
#endif
    if (path.back() == kPathSeparator) path.pop_back();
    EXPECT_TRUE(Utils::MakeDirectories(path));
}

// Points the system's temporary folder at a scratch folder while it lives.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::wstring& folder) {
        for (const wchar_t* name : kNames) {
            saved_.push_back(platform::EnvironmentValue(name));
            platform::SetEnvironmentValue(name, folder);
        }
    }
    ~TemporaryFolderOverride() {
        for (size_t i = 0; i < std::size(kNames); ++i) {
            platform::SetEnvironmentValue(kNames[i], saved_[i]);
        }
    }

private:
    static constexpr const wchar_t* kNames[] = {L"TMPDIR", L"TMP", L"TEMP"};
    std::vector<std::optional<std::wstring>> saved_;
};

TEST(GetInstallerTempDir, CreatedOnceInTheTemporaryFolder) {
    ScratchDir dir;
    TemporaryFolderOverride temp(dir.path().wstring());
    const std::wstring folder = Utils::GetInstallerTempDir();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kPathSeparator);
    EXPECT_EQ(fs::path(folder.substr(0, folder.size() - 1)).filename(),
              fs::path(L"~VarenTemp.92482B06FB471E17"));
    EXPECT_TRUE(fs::equivalent(fs::path(folder).parent_path().parent_path(), dir.path()));
    ASSERT_TRUE(fs::is_directory(folder));

    testing_support::WriteFile(fs::path(folder) / "kept.txt", "x");
    EXPECT_EQ(Utils::GetInstallerTempDir(), folder);
    EXPECT_TRUE(fs::exists(fs::path(folder) / "kept.txt")) << "the folder was made anew";
}

TEST(GetInstallerTempDir, EmptyWhenItCannotBeCreated) {
    ScratchDir dir;
    testing_support::WriteFile(dir / "~VarenTemp.92482B06FB471E17", "a file in its place");
    TemporaryFolderOverride temp(dir.path().wstring());
    EXPECT_EQ(Utils::GetInstallerTempDir(), L"");
}

#ifndef _WIN32
// In a temporary folder that all users share, a folder of that name made by
// someone else, or a link, must not be used; one of our own is kept private.
TEST(GetInstallerTempDir, OnlyAFolderOfThisUserAlone) {
    ScratchDir dir;
    TemporaryFolderOverride temp(dir.path().wstring());
    const fs::path folder = dir / "~VarenTemp.92482B06FB471E17";

    ScratchDir elsewhere;
    fs::create_directory_symlink(elsewhere.path(), folder);
    EXPECT_EQ(Utils::GetInstallerTempDir(), L"");
    fs::remove(folder);

    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    EXPECT_FALSE(Utils::GetInstallerTempDir().empty());
    EXPECT_EQ(fs::status(folder).permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none);
}
#endif

}  // namespace
