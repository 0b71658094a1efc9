// Destroying a downloader in the middle of a transfer stops it and waits for
// its threads; nothing is reported afterwards.
#include <gtest/gtest.h>

#include <chrono>

#include "DownloadFixtures.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

class Teardown : public testing::TestWithParam<int> {};

TEST_P(Teardown, MidDownloadStopsTheTransferAndItsThreads) {
#ifdef _WIN32
    // The moniker sends no progress notice while the server sends nothing, so
    // its abort only comes with the next bytes; the stall below would be waited out.
    if (GetParam() == 2) GTEST_SKIP() << "URLDownloadToFileW has no notice during a stall";
#endif
    testing_support::ScratchDir dir;
    std::filesystem::create_directory(dir / "root");
    testing_support::WriteFile(dir / "root" / "p.bin", MakeContent(4 << 20));
    PackageServer server(dir / "root");
    // The server stops sending long enough that only an abort can end the transfer.
    DownloadRecorder recorder(GetParam(), server.Url("/download/p.bin?stall=60&at=1000000"),
                              dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFor(DL_CODE_PROGRESS));

    const auto before = std::chrono::steady_clock::now();
    recorder.Destroy();
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_LT(took, std::chrono::seconds(4));
    EXPECT_EQ(recorder.LateEvents(), 0);
    for (const auto& event : recorder.Events()) {
        EXPECT_NE(event.code, DL_CODE_SUCCESS);
        EXPECT_NE(event.code, DL_CODE_FAIL);
    }
}

INSTANTIATE_TEST_SUITE_P(Downloaders, Teardown, testing::Values(1, 2, 3));

TEST(Teardown, NeverStartedDownloadersGoQuietly) {
    for (int type : {1, 2, 3}) {
        DownloadRecorder recorder(type, L"http://127.0.0.1:1/p.bin", "never.bin");
        recorder.Destroy();
        EXPECT_TRUE(recorder.Events().empty()) << type;
    }
}

}  // namespace
}  // namespace download_tests
