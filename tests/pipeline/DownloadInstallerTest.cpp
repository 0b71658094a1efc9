#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "DownloadFixtures.h"
#include "FakePrograms.h"
#include "config/InstallerConfig.h"
#include "pipeline/DownloadInstaller.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using pipeline_test::EventLog;
using pipeline_test::Wide;

// The stage names the pipeline logs, in the order of the run's log.
std::vector<std::wstring> StageLines(const std::vector<std::wstring>& lines) {
    const wchar_t* names[] = {L"DL_TYPE=",        L"DL_CODE_START", L"DOWNLOAD_SUCCESS",
                              L"DL_CODE_SUCCESS", L"DL_CODE_FAIL",  L"IST_CODE_START",
                              L"INSTALL_SUCCESS", L"IST_CODE_FAIL"};
    std::vector<std::wstring> stages;
    for (const auto& line : lines) {
        if (line.find(L"(CDownloadInstaller::") == std::wstring::npos) continue;
        for (const wchar_t* name : names) {
            if (line.find(std::wstring(L": ") + name) != std::wstring::npos) stages.push_back(name);
        }
    }
    return stages;
}

TEST(CDownloadInstaller, LogsEachStageAndStartsAgainWithTheSameDownloader) {
    testing_support::ScratchDir dir;
    fs::create_directories(dir / "server");
    pipeline_test::MakeFake("fake-package", "out State=Success\n", dir / "server" / "pkg.exe");
    download_tests::PackageServer server(dir / "server");
    const fs::path installDir = dir / "new" / "Quill mark";

    testing_support::LogCapture capture;
    EventLog log;
    {
        CDownloadInstaller installer(log.Callback());
        installer.SetParams(server.Url("/download/pkg.exe"), L"", Wide(installDir), true, true,
                            false, false);
        installer.Start();
        ASSERT_TRUE(log.WaitFor(2003));
        // The runner logs a stage after handing its event over: the first
        // run's last line comes before the second run starts.
        ASSERT_TRUE(testing_support::WaitUntil([&] {
            const std::vector<std::wstring> stages = StageLines(capture.Lines());
            return !stages.empty() && stages.back() == L"INSTALL_SUCCESS";
        }));
        log.Clear();
        // The downloader made by the first run keeps its URL, whatever the params say now.
        installer.SetParams(L"http://127.0.0.1:1/elsewhere", L"", Wide(installDir), true, true,
                            false, false);
        installer.Start();
        ASSERT_TRUE(log.WaitFor(2003));
    }
    EXPECT_FALSE(fs::exists(installDir / "__Package_Quillmark.exe"));
    const std::vector<std::wstring> oneRun = {L"DL_TYPE=",         L"DL_CODE_START",
                                              L"DOWNLOAD_SUCCESS", L"DL_CODE_SUCCESS",
                                              L"IST_CODE_START",   L"INSTALL_SUCCESS"};
    std::vector<std::wstring> twoRuns = oneRun;
    twoRuns.insert(twoRuns.end(), oneRun.begin(), oneRun.end());
    // The package runner's thread may log its start before the download
    // handler that started it logs its last line; either order is right.
    std::vector<std::wstring> stages = StageLines(capture.Lines());
    for (size_t i = 0; i + 1 < stages.size(); ++i) {
        if (stages[i] == L"IST_CODE_START" && stages[i + 1] == L"DL_CODE_SUCCESS") {
            std::swap(stages[i], stages[i + 1]);
        }
    }
    EXPECT_EQ(stages, twoRuns);
}

}  // namespace
