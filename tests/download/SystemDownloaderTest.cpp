// The system downloader: URL encoding, three attempts, progress notices.
#include <gtest/gtest.h>

#include <chrono>

#include "DownloadFixtures.h"
#include "download/WinDownloader.h"
#include "platform/Socket.h"
#include "platform/UrlDownload.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

int UnusedPort() {
    platform::Socket probe = platform::Socket::ListenLoopback(0);
    return probe.LocalPort();
}

TEST(SystemDownloader, ASpaceIsRequestedAsPlus) {
    testing_support::ScratchDir dir;
    std::filesystem::create_directory(dir / "root");
    const std::string content = MakeContent(100000);
    testing_support::WriteFile(dir / "root" / "my+file.bin", content);
    PackageServer server(dir / "root");
    DownloadRecorder recorder(2, server.Url("/files/my file.bin"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_SUCCESS);
    ASSERT_FALSE(server.LogLines().empty());
    EXPECT_EQ(server.LogLines()[0].rfind("GET /files/my+file.bin ", 0), 0u);
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
}

TEST(SystemDownloader, AnUnreachableServerGetsThreeAttemptsThenTheSystemsCode) {
    testing_support::ScratchDir dir;
    const auto before = std::chrono::steady_clock::now();
    DownloadRecorder recorder(2, L"http://127.0.0.1:" + std::to_wstring(UnusedPort()) + L"/p.bin",
                              dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    const auto took = std::chrono::steady_clock::now() - before;
    const auto milestones = recorder.Milestones();
    ASSERT_EQ(milestones.size(), 2u);
    EXPECT_EQ(milestones[1].code, DL_CODE_FAIL);
    EXPECT_EQ(milestones[1].text, L"URLDownloadToFile");
    EXPECT_LT(milestones[1].value, 0.0);  // a failing HRESULT
    EXPECT_GE(took, std::chrono::milliseconds(2900));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
}

TEST(SystemDownloader, ProgressNoticesBecomeFractionsExceptWithoutATotal) {
    std::vector<std::pair<int, double>> events;
    CWinDownloader::CBindCallback sink;
    sink.callback = [&](int code, double value, const wchar_t*) {
        events.emplace_back(code, value);
    };
    EXPECT_TRUE(sink.OnProgress(5, 0));
    EXPECT_TRUE(sink.OnProgress(1, 4));
    EXPECT_TRUE(sink.OnProgress(4000000000u, 4000000000u));
    EXPECT_EQ(events, (std::vector<std::pair<int, double>>{{1002, 0.25}, {1002, 1.0}}));
    sink.Cancel();
    EXPECT_FALSE(sink.OnProgress(2, 4));
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
}  // namespace download_tests
