// The multi-part downloader: the split, part files across runs, stalls.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "DownloadFixtures.h"
#include "config/InstallerConfig.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

class MultiPart : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(dir / "root"); }
    std::string Package(size_t size) {
        const std::string content = MakeContent(size, static_cast<uint32_t>(size));
        testing_support::WriteFile(dir / "root" / "p.bin", content);
        return content;
    }

    // A 4 MiB package whose run 1 gets 3,000,000 bytes and reports progress
    // during the stall; then the server goes away and the part spends its
    // budget on refused connections. Before the retry, changeFiles runs and
    // the server (in server) comes back on its port. The milestones of both runs.
    std::vector<Event> FailOnceThenRetry(std::unique_ptr<PackageServer>& server,
                                         const std::function<void()>& changeFiles = {}) {
        server = std::make_unique<PackageServer>(dir / "root");
        const int port = server->port();
        DownloadRecorder recorder(3, server->Url("/download/p.bin?stall=5&at=3000000"),
                                  dir / "out.bin");
        recorder.beforeRetry = [&] {
            if (changeFiles) changeFiles();
            server = std::make_unique<PackageServer>(dir / "root", port);
        };
        recorder.Start();
        EXPECT_TRUE(recorder.WaitFor(DL_CODE_PROGRESS));
        server->Stop();
        EXPECT_TRUE(recorder.WaitFinal());
        return recorder.Milestones();
    }

    testing_support::ScratchDir dir;
};

struct SplitCase {
    size_t size;
    std::vector<std::string> ranges;
};

TEST_F(MultiPart, SplitsAtTwentyMebibytesIntoAtMostTwoRanges) {
    const SplitCase cases[] = {
        {256, {"bytes=0-255"}},
        {20971519, {"bytes=0-20971518"}},
        {20971520, {"bytes=0-10485759", "bytes=10485760-20971519"}},
        {20971521, {"bytes=0-10485759", "bytes=10485760-20971520"}},
    };
    for (const auto& c : cases) {
        const std::string content = Package(c.size);
        PackageServer server(dir / "root");
        DownloadRecorder recorder(3, server.Url("/download/p.bin"), dir / "out.bin");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << c.size;
        EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_SUCCESS) << c.size;
        auto ranges = server.BodyRanges();
        std::sort(ranges.begin(), ranges.end());
        EXPECT_EQ(ranges, c.ranges) << c.size;
        EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content) << c.size;
    }
}

TEST_F(MultiPart, RefusesAPackageShorterThan256Bytes) {
    Package(255);
    PackageServer server(dir / "root");
    DownloadRecorder recorder(3, server.Url("/download/p.bin"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(CodesAndTexts(recorder.Milestones()),
              (std::vector<std::pair<int, std::wstring>>{{1001, L""}, {1004, L"LibCurl"}}));
    EXPECT_EQ(recorder.Milestones().back().value, 0.0);
    EXPECT_TRUE(server.BodyRanges().empty());
}

TEST_F(MultiPart, FailsWithoutLibcurl) {
    Package(4096);
    PackageServer server(dir / "root");
    GetInstallerConfig().LibcurlReady = false;
    DownloadRecorder recorder(3, server.Url("/download/p.bin"), dir / "out.bin");
    recorder.Start();
    const bool finished = recorder.WaitFinal();
    GetInstallerConfig().LibcurlReady = true;
    ASSERT_TRUE(finished);
    EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_FAIL);
    EXPECT_TRUE(server.LogLines().empty());
}

TEST_F(MultiPart, AStallEndsTheAttemptAndThePartThreadsTryAgain) {
    const std::string content = Package(20971520);
    PackageServer server(dir / "root");
    // Both parts get their headers and then nothing: libcurl's low-speed limit
    // (1 byte a second over 5 seconds) ends both attempts before the stall does.
    DownloadRecorder recorder(3, server.Url("/download/p.bin?stall=8&first=2"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(CodesAndTexts(recorder.Milestones()),
              (std::vector<std::pair<int, std::wstring>>{{1001, L""}, {1003, L"LibCurl"}}));
    auto ranges = server.BodyRanges();
    std::sort(ranges.begin(), ranges.end());
    EXPECT_EQ(ranges,
              (std::vector<std::string>{"bytes=0-10485759", "bytes=0-10485759",
                                        "bytes=10485760-20971519", "bytes=10485760-20971519"}));
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
}

TEST_F(MultiPart, APartFileOfAFailedRunIsResumedByTheRetry) {
    const std::string content = Package(4 << 20);
    std::unique_ptr<PackageServer> server;
    const auto milestones = FailOnceThenRetry(server);

    ASSERT_EQ(milestones.size(), 4u);
    EXPECT_EQ(milestones[1].code, DL_CODE_RETRY);
    EXPECT_EQ(milestones[1].value, 7.0);
    EXPECT_EQ(milestones[3].code, DL_CODE_SUCCESS);
    EXPECT_EQ(server->BodyRanges(), (std::vector<std::string>{"bytes=3000000-4194303"}));
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin_0"));
}

// A part file longer than its part cannot be what the download wrote: the
// retry fetches the part again instead of merging the extra bytes.
TEST_F(MultiPart, APartFileLongerThanItsPartIsFetchedAgain) {
    const std::string content = Package(4 << 20);
    std::unique_ptr<PackageServer> server;
    const auto milestones = FailOnceThenRetry(server, [&] {
        std::ofstream(dir / "out.bin_0", std::ios::binary | std::ios::app)
            << std::string(2000000, 'x');
    });

    ASSERT_FALSE(milestones.empty());
    EXPECT_EQ(milestones.back().code, DL_CODE_SUCCESS);
    EXPECT_EQ(server->BodyRanges(), (std::vector<std::string>{"bytes=0-4194303"}));
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
}

TEST_F(MultiPart, ConstructionDeletesTargetAndPartFiles) {
    for (const char* name : {"out.bin", "out.bin_0", "out.bin_1"}) {
        testing_support::WriteFile(dir / name, "stale");
    }
    DownloadRecorder recorder(3, L"http://127.0.0.1:1/p.bin", dir / "out.bin");
    for (const char* name : {"out.bin", "out.bin_0", "out.bin_1"}) {
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    }
}

}  // namespace
}  // namespace download_tests
