#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "FakePrograms.h"
#include "config/InstallerConfig.h"
#include "pipeline/PackageRunner.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using pipeline_test::Event;
using pipeline_test::EventLog;
using pipeline_test::Wide;

TEST(PackageRunnerCommandLine, CarriesTheSwitchesInstCmdAndTheFolderLast) {
    struct Case {
        std::wstring instCmd;
        std::wstring dir;
        std::wstring expected;
    };
    const std::wstring head =
        L"\"C:\\Q\\__Package_Quillmark.exe\" /S -console=show -version=1.0.0 -adminact=false "
        L"-authorizationact=true -dsc=true -ssc=false";
    const Case cases[] = {
        {L"", L"", head},
        {L"", L"C:\\Program Files\\Q",
         head + L" -instdir=\"C:\\Program Files\\Q\" /D=C:\\Program Files\\Q"},
        {L"-channel=7 -silent", L"", head + L" -channel=7 -silent"},
        {L"-channel=7", L"D:\\Q", head + L" -channel=7 -instdir=\"D:\\Q\" /D=D:\\Q"},
    };
    const std::wstring saved = GetInstallerConfig().InstCmd;
    for (const auto& c : cases) {
        GetInstallerConfig().InstCmd = c.instCmd;
        PackageRunner runner([](int, double, const wchar_t*) {},
                             L"\"C:\\Q\\__Package_Quillmark.exe\"", L"unused");
        runner.SetOptions(c.dir, true, false, false, true);
        EXPECT_EQ(runner.BuildCommandLine(), c.expected);
    }
    GetInstallerConfig().InstCmd = saved;
}

class PackageRunnerTest : public testing::Test {
protected:
    // Runs a fake package with the script into the scratch folder "Q dir" and
    // returns the events of the whole run.
    std::vector<Event> Run(const std::string& script) {
        const fs::path package = dir_ / "__Package_Quillmark.exe";
        pipeline_test::MakeFake("fake-package", script, package);
        fs::create_directories(installDir());
        {
            PackageRunner runner(log_.Callback(), L"\"" + Wide(package) + L"\"",
                                 Wide(installDir()));
            runner.Start();
        }  // the release waits for the run
        return log_.Events();
    }
    fs::path installDir() const { return dir_ / "Q dir"; }

    testing_support::ScratchDir dir_;
    EventLog log_;
};

TEST_F(PackageRunnerTest, AWholeRunEndsAtTheFinalStateWithTheFolderFromTheCommandLine) {
    const auto events =
        Run("out Progress=0.5\nfile product.txt installed\nout InstPath=here\nout State=Success\n");
    const std::vector<Event> expected = {
        {2001, 0, L""}, {2002, 0, L""}, {2002, 0.5, L""}, {3000, 0, L"here"}, {2003, 0, L""}};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(fs::exists(installDir() / "product.txt"));
}

TEST_F(PackageRunnerTest, APackageEndingWithoutAStateSucceedsWithValueOneWhateverItsExitCode) {
    const std::vector<Event> expected = {{2001, 0, L""}, {2002, 0, L""}, {2003, 1, L""}};
    EXPECT_EQ(Run("exit 9\n"), expected);
}

// The last lines arrive while the runner pauses between reads, and the package
// has ended when it looks again: they must still count.
TEST_F(PackageRunnerTest, OutputLeftInThePipeWhenThePackageEndsIsStillParsed) {
    const std::pair<std::string, Event> cases[] = {
        {"out Progress=0.1\npause 30\nout Error=late failure\n", {2004, 1000, L"late failure"}},
        {"out Progress=0.1\npause 30\nput State=Fail\n", {2004, 0, L"安装包安装失败"}},
    };
    for (const auto& [script, last] : cases) {
        log_.Clear();
        const auto events = Run(script);
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back(), last) << script;
        EXPECT_EQ(log_.Codes(), (std::vector<int>{2001, 2002, 2002, 2004})) << script;
    }
}

TEST_F(PackageRunnerTest, ALineCutAcrossWritesIsJoinedBeforeItIsParsed) {
    const auto events = Run("put Sta\npause 250\nout te=Fail\npause 200\nout State=Success\n");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events.back(), (Event{2004, 0, L"安装包安装失败"}));
}

TEST_F(PackageRunnerTest, APackageThatKeepsWritingAfterTheDecisionNeverBlocks) {
    const auto started = std::chrono::steady_clock::now();
    const auto events = Run("out State=Success\nflood 4000000\nout Error=ignored\n");
    EXPECT_EQ(events.back(), (Event{2003, 0, L""}));
    EXPECT_EQ(events.size(), 3u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

// A package that starts a program before it ends (the product, say) may hand
// it its output; the run ends with the package, not with that program.
TEST_F(PackageRunnerTest, AProgramThePackageLeftRunningDoesNotHoldTheRunOpen) {
    const fs::path package = dir_ / "launcher.exe";
    pipeline_test::MakeFake("fake-package", "out State=Success\nlinger 60000\nout Progress=0.5\n",
                            package);
    std::atomic<bool> ended{false};
    PackageRunner runner(log_.Callback(), L"\"" + Wide(package) + L"\"", L"");
    runner.SetRunEndedHandler([&] { ended = true; });
    runner.Start();
    EXPECT_TRUE(testing_support::WaitUntil([&] { return ended.load(); }));
    EXPECT_EQ(log_.Codes(), (std::vector<int>{2001, 2002, 2003}));
}

TEST_F(PackageRunnerTest, EncodeLinesDecodeTheFollowingReads) {
    // 中文 in GBK is D6 D0 CE C4.
    const auto events = Run(
        "out Encode=936\npause 250\nout Message=\\xD6\\xD0\\xCE\\xC4\npause 250\n"
        "out Encode=UTF8\npause 250\nout Message=\xE4\xB8\xAD\xE6\x96\x87\nout State=Success\n");
    std::vector<std::wstring> messages;
    for (const auto& e : events) {
        if (e.code == 3009) messages.push_back(e.text);
    }
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"中文", L"中文"}));
}

TEST_F(PackageRunnerTest, APackageThatCannotStartFailsWithValueTwo) {
    // Missing program, and a command line too long to hand over whole.
    const std::wstring longDir = Wide(dir_.path()) + L"/" + std::wstring(1000, L'd');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"" + Wide(dir_ / "missing.exe") + L"\"", L""},
        {L"\"" + Wide(pipeline_test::ToolPath("fake-package")) + L"\"", longDir},
    };
    for (const auto& [package, installDir] : cases) {
        EventLog log;
        {
            PackageRunner runner(log.Callback(), package, installDir);
            runner.Start();
            EXPECT_TRUE(log.WaitFor(2004));
        }
        const std::vector<Event> expected = {{2001, 0, L""}, {2002, 0, L""}, {2004, 2, L""}};
        EXPECT_EQ(log.Events(), expected);
    }
}

TEST_F(PackageRunnerTest, ReleasingTheRunnerWaitsForTheRunningPackage) {
    const fs::path package = dir_ / "slow.exe";
    pipeline_test::MakeFake("fake-package", "pause 300\nout State=Success\n", package);
    {
        PackageRunner runner(log_.Callback(), L"\"" + Wide(package) + L"\"", L"");
        runner.Start();
    }
    EXPECT_EQ(log_.Codes(), (std::vector<int>{2001, 2002, 2003}));
}

TEST_F(PackageRunnerTest, ASecondStartRunsAgainAndKeepsTheCodePage) {
    const fs::path package = dir_ / "again.exe";
    pipeline_test::MakeFake("fake-package", "out Encode=936\nout Progress=0.5\n", package);
    PackageRunner runner(log_.Callback(), L"\"" + Wide(package) + L"\"", L"");
    runner.Start();
    ASSERT_TRUE(log_.WaitFor(2003));
    runner.Start();
    ASSERT_TRUE(testing_support::WaitUntil([&] { return log_.Events().size() == 8; }));
    EXPECT_EQ(runner.codePage(), 936u);
    EXPECT_EQ(log_.Codes(), (std::vector<int>{2001, 2002, 2002, 2003, 2001, 2002, 2002, 2003}));
}

}  // namespace
