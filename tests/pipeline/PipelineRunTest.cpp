#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DownloadFixtures.h"
#include "FakePrograms.h"
#include "platform/CommandLine.h"
#include "platform/Environment.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "utils/Registry.h"

namespace {

namespace fs = std::filesystem;
using pipeline_test::Wide;

struct Line {
    int code;
    double value;
    std::string text;
};

struct Outcome {
    uint32_t exitCode;
    std::vector<Line> lines;
    // Every code but the progress reports, in order.
    std::vector<int> Milestones() const {
        std::vector<int> codes;
        for (const auto& line : lines) {
            if (line.code != 1002 && line.code != 2002 && line.code != 5002) {
                codes.push_back(line.code);
            }
        }
        return codes;
    }
    bool Has(int code, const std::string& text) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const Line& l) { return l.code == code && l.text == text; });
    }
    bool HasCode(int code) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const Line& l) { return l.code == code; });
    }
};

std::string Text(const char* utf8) {
    return utf8;
}

// A path as script text, where a backslash starts an escape.
std::string ScriptText(const std::filesystem::path& path) {
    std::string text;
    for (char c : platform::ToUtf8(Wide(path))) {
        if (c == '\\') text += '\\';
        text += c;
    }
    return text;
}

// Saves an environment variable and restores it with the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::wstring& name, const std::optional<std::wstring>& value)
        : name_(name), saved_(platform::EnvironmentValue(name)) {
        platform::SetEnvironmentValue(name, value);
    }
    ~ScopedEnvironment() { platform::SetEnvironmentValue(name_, saved_); }

private:
    std::wstring name_;
    std::optional<std::wstring> saved_;
};

// One package server over the scratch folder's "server" folder; each test
// makes its package there and runs pipeline-run into "Quill mark".
class PipelineRunTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root());
#ifndef _WIN32
        config_.emplace(L"XDG_CONFIG_HOME", Wide(dir_ / "config"));
#endif
        Utils::WriteRegString(L"InstallPath", L"before");
        Utils::WriteRegString(L"UnInstallEp", L"before");
        server_ = std::make_unique<download_tests::PackageServer>(root());
    }

    fs::path root() const {
        return dir_ / "server";
    }
    fs::path installDir() const {
        return dir_ / "Quill mark";
    }
    fs::path package() const {
        return installDir() / "__Package_Quillmark.exe";
    }

    void MakePackage(const std::string& script, const fs::path& attach = {}) {
        pipeline_test::MakeFake("fake-package", script, root() / "pkg.exe", attach);
    }
    // An old copy in its folder, whose uninstaller plays the script.
    fs::path MakeOldCopy(const fs::path& folder, const std::string& script) {
        fs::create_directories(folder);
        pipeline_test::MakeFake("fake-uninstaller", script, folder / "uninst.ep");
        return folder / "uninst.ep";
    }

    Outcome Run(const std::string& query = "", const std::wstring& extra = L"", int type = 1) {
        const std::wstring line =
            platform::QuoteArgument(Wide(pipeline_test::ToolPath("pipeline-run"))) + L" --url " +
            platform::QuoteArgument(server_->Url("/download/pkg.exe" + query)) + L" --dir " +
            platform::QuoteArgument(Wide(installDir())) + L" --type " + std::to_wstring(type) +
            extra;
        const auto result = testing_support::RunProgram(line);
        Outcome outcome{result.exitCode, {}};
        std::istringstream lines(result.output);
        for (std::string text; std::getline(lines, text);) {
            std::istringstream fields(text);
            Line parsed;
            std::string code, value;
            std::getline(fields, code, '\t');
            std::getline(fields, value, '\t');
            std::getline(fields, parsed.text);
            parsed.code = std::stoi(code);
            parsed.value = std::stod(value);
            outcome.lines.push_back(parsed);
        }
        EXPECT_FALSE(fs::exists(package())) << "the package file outlived the run";
        return outcome;
    }

    static std::wstring Registry(const wchar_t* name) {
        uint32_t type = 0;
        std::wstring text;
        return Utils::ReadRegString(name, type, text) ? text : L"<none>";
    }

    testing_support::ScratchDir dir_;
    std::optional<ScopedEnvironment> config_;
    std::unique_ptr<download_tests::PackageServer> server_;
};

TEST_F(PipelineRunTest, WithoutAnOldCopyDownloadsInstallsAndRecordsTheFolder) {
    MakePackage("out Progress=0.5\nfile product.txt ok\nout InstPath=" + ScriptText(installDir()) +
                "\nout State=Success\n");
    const Outcome run = Run("", L" --instcmd -channel=7");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.Milestones(), (std::vector<int>{1001, 1003, 2001, 3000, 2003}));
    EXPECT_TRUE(fs::exists(installDir() / "product.txt"));
    EXPECT_EQ(Registry(L"InstallPath"), Wide(installDir()));
    // No uninstall entry was reported and none was left: the value stays.
    EXPECT_EQ(Registry(L"UnInstallEp"), L"before");
}

TEST_F(PipelineRunTest, TheRecordTakesTheReportedEntryOrTheOneInTheFolder) {
    const fs::path uninstaller = dir_ / "u.exe";
    pipeline_test::MakeFake("fake-uninstaller", "out State=Success\n", uninstaller);
    MakePackage("uninst-ep\nout State=Success\n", uninstaller);
    EXPECT_EQ(Run().exitCode, 0u);
    EXPECT_EQ(Registry(L"UnInstallEp"), Wide(installDir() / "uninst.ep"));

    const std::string reported = platform::ToUtf8(Wide(installDir() / "entry.ep"));
    MakePackage("file entry.ep x\nout UninstEp=" + ScriptText(installDir() / "entry.ep") +
                "\nout State=Success\n");
    const Outcome run = Run();
    EXPECT_TRUE(run.Has(3003, reported));
    EXPECT_EQ(Registry(L"UnInstallEp"), platform::FromUtf8(reported));
}

TEST_F(PipelineRunTest, AnOldCopyIsRemovedFirstWithItsFolderOnTheCommandLine) {
    const fs::path old =
        MakeOldCopy(dir_ / "Old copy", "file removed.txt x\nout Progress=1\nout State=Success\n");
    MakePackage("out State=Success\n");
    const Outcome run = Run("", L" --old-uninstaller " + platform::QuoteArgument(Wide(old)));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.Milestones(), (std::vector<int>{5003, 1001, 1003, 2001, 2003}));
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.front().code, 5002);
    EXPECT_EQ(run.lines.front().value, 0);
    EXPECT_TRUE(fs::exists(dir_ / "Old copy" / "removed.txt"));
}

TEST_F(PipelineRunTest, AFailedRemovalEndsTheRunBeforeAnyDownload) {
    MakePackage("out State=Success\n");
    struct Case {
        std::string script;
        int code;
        std::string text;
    };
    const Case cases[] = {
        {"out Error=old copy in use\n", 5005, "old copy in use"},
        {"out Progress=0.3\nout State=Fail\n", 5005, Text("安装包卸载失败")},
    };
    for (const auto& c : cases) {
        const fs::path old = MakeOldCopy(dir_ / "Old copy", c.script);
        const Outcome run = Run("", L" --old-uninstaller " + platform::QuoteArgument(Wide(old)));
        EXPECT_EQ(run.exitCode, 1u) << c.script;
        EXPECT_EQ(run.Milestones(), (std::vector<int>{c.code})) << c.script;
        EXPECT_TRUE(run.Has(c.code, c.text)) << c.script;
    }
    // Without a private temporary folder there is no copy to run.
    const fs::path old = MakeOldCopy(dir_ / "Old copy", "out State=Success\n");
    const std::wstring missing = Wide(dir_ / "no such folder" / "tmp");
    ScopedEnvironment tmpdir(L"TMPDIR", missing), tmp(L"TMP", missing), temp(L"TEMP", missing);
    const Outcome run = Run("", L" --old-uninstaller " + platform::QuoteArgument(Wide(old)));
    EXPECT_EQ(run.Milestones(), (std::vector<int>{5004}));
    EXPECT_TRUE(run.Has(5004, Text("可执行卸载文件不存在")));
}

TEST_F(PipelineRunTest, AnOldCopyInTheChosenFolderThatAsksToStayIsKept) {
    const fs::path old = MakeOldCopy(installDir(), "file removed.txt x\nout State=Success\n");
    testing_support::WriteFile(installDir() / "set.ini", "[Uninstall]\nIsOverride=false\n");
    MakePackage("out State=Success\n");
    const Outcome run = Run("", L" --old-uninstaller " + platform::QuoteArgument(Wide(old)));
    EXPECT_EQ(run.Milestones(), (std::vector<int>{1001, 1003, 2001, 2003}));
    EXPECT_FALSE(fs::exists(installDir() / "removed.txt"));
}

TEST_F(PipelineRunTest, FailuresOfTheDownloadOrThePackageEndTheRunAndDropThePackageFile) {
    MakePackage("out Progress=0.2\nout Error=disk full\n");
    const Outcome failed = Run();
    EXPECT_EQ(failed.exitCode, 1u);
    EXPECT_EQ(failed.Milestones(), (std::vector<int>{1001, 1003, 2001, 2004}));
    EXPECT_TRUE(failed.Has(2004, "disk full"));

    const Outcome missing = Run("?status=404");
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(missing.Milestones().back(), 1004);
    EXPECT_FALSE(missing.HasCode(2001));
}

TEST_F(PipelineRunTest, AChecksumMismatchDownloadsOnceMoreAndThenFails) {
    MakePackage("out State=Success\n");
    const Outcome run = Run("?md5=wrong", L"", 3);
    EXPECT_EQ(run.exitCode, 1u);
    const auto codes = run.Milestones();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1001), 2);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1005), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1006), 2);
    EXPECT_EQ(codes.back(), 1004);
    EXPECT_FALSE(run.HasCode(2001));
}

}  // namespace
