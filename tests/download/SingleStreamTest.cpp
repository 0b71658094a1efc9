// The single-stream downloader and its client: retry budgets, lengths, resume.
#include <gtest/gtest.h>

#include <algorithm>

#include "DownloadFixtures.h"
#include "download/CurlClient.h"
#include "support/TestSupport.h"
#include "utils/Md5.h"

namespace download_tests {
namespace {

class SingleStream : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(dir / "root"); }
    std::string Package(const std::string& name, size_t size) {
        const std::string content = MakeContent(size, static_cast<uint32_t>(size));
        testing_support::WriteFile(dir / "root" / name, content);
        return content;
    }
    static size_t StartLines(const testing_support::LogCapture& log) {
        const auto lines = log.Lines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [](const auto& line) {
            return line.find(L"(CurlClient::Start)") != std::wstring::npos &&
                   line.find(L"start download") != std::wstring::npos;
        }));
    }

    testing_support::ScratchDir dir;
};

TEST_F(SingleStream, DroppedEveryTimeMakesTwelveAttemptsAndFailsWithPartialFile) {
    Package("p.bin", 2 << 20);
    PackageServer server(dir / "root");
    DownloadRecorder recorder(1, server.Url("/download/p.bin?drop=1000"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(CodesAndTexts(recorder.Milestones()),
              (std::vector<std::pair<int, std::wstring>>{{1001, L""}, {1004, L"LibCurl"}}));
    EXPECT_EQ(recorder.Milestones().back().value, 18.0);
    const auto ranges = server.BodyRanges();
    ASSERT_EQ(ranges.size(), 12u);
    // Every attempt resumes after the bytes the part file holds.
    EXPECT_EQ(ranges[0], "-");
    for (size_t i = 1; i < ranges.size(); ++i) {
        EXPECT_EQ(ranges[i], "bytes=" + std::to_string(1000 * i) + "-") << i;
    }
}

TEST_F(SingleStream, RefusedConnectionsCostTwoEach) {
    Package("p.bin", 2 << 20);
    PackageServer server(dir / "root");
    testing_support::LogCapture log;
    // The length is learned, then the server goes away during the body.
    DownloadRecorder recorder(1, server.Url("/download/p.bin?stall=20&at=5000"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(testing_support::WaitUntil([&] { return server.BodyRanges().size() == 1; }));
    server.Stop();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_FAIL);
    EXPECT_EQ(recorder.Milestones().back().value, 7.0);
    // One attempt cut off (18 costs 1), then six refused (7 costs 2): 11 - 12 < 0.
    EXPECT_EQ(StartLines(log), 7u);
}

TEST_F(SingleStream, LengthBelowOneMebibyteOrUnknownIsRefusedWithoutABody) {
    struct LengthCase {
        const char* name;
        const char* path;
        size_t size;
    };
    const LengthCase cases[] = {
        {"small.bin", "/download/small.bin", 1048575},
        {"unsized.bin", "/download/unsized.bin?nolength=1", 2 << 20},
    };
    for (const auto& c : cases) {
        Package(c.name, c.size);
        PackageServer server(dir / "root");
        testing_support::LogCapture log;
        DownloadRecorder recorder(1, server.Url(c.path), dir / "out.bin");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << c.path;
        EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_FAIL) << c.path;
        EXPECT_EQ(recorder.Milestones().back().value, -998.0) << c.path;
        EXPECT_EQ(StartLines(log), 6u) << c.path;
        EXPECT_TRUE(server.BodyRanges().empty()) << c.path;
    }
}

TEST_F(SingleStream, ExactlyOneMebibyteIsDownloaded) {
    const std::string content = Package("p.bin", 1048576);
    PackageServer server(dir / "root");
    DownloadRecorder recorder(1, server.Url("/download/p.bin"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_SUCCESS);
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
}

TEST_F(SingleStream, AFailedLengthQueryIsReported) {
    Package("p.bin", 2 << 20);
    PackageServer server(dir / "root");
    RecordingReporter reporter;
    DownloadRecorder recorder(1, server.Url("/download/p.bin?status=404"), dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(recorder.Milestones().back().value, -998.0);
    const auto reasons = reporter.Reasons();
    ASSERT_FALSE(reasons.empty());
    for (const auto& reason : reasons) EXPECT_EQ(reason, L"1.获取文件大小的状态码为=404；");
}

TEST_F(SingleStream, AnAttemptCutShortIsResumedByTheNext) {
    const std::string content = Package("p.bin", 3 << 20);
    PackageServer server(dir / "root");
    DownloadRecorder recorder(1, server.Url("/download/p.bin?drop=1500000&first=1"),
                              dir / "out.bin");
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());
    EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_SUCCESS);
    EXPECT_EQ(server.BodyRanges(), (std::vector<std::string>{"-", "bytes=1500000-"}));
    EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content);
}

struct ProgressSink {
    static void Record(void* owner, double speed, double, double percent) {
        auto* self = static_cast<ProgressSink*>(owner);
        self->percents.push_back(percent);
        self->speeds.push_back(speed);
    }
    std::vector<double> percents;
    std::vector<double> speeds;
};

TEST_F(SingleStream, ClientResumesFromThePartFileAndCountsItInProgress) {
    const size_t size = 8000000;
    const std::string content = Package("p.bin", size);
    PackageServer server(dir / "root");
    const auto target = dir / "out.bin";
    testing_support::WriteFile(dir / "out.bin.part", content.substr(0, 5000000));
    ProgressSink sink;
    {
        CurlClient client(server.Url("/download/p.bin"), target.wstring(), nullptr, &sink,
                          &ProgressSink::Record);
        EXPECT_EQ(client.Start(), 0);
        EXPECT_EQ(client.ResumeOffset(), 5000000);
        EXPECT_EQ(client.FileLength(), static_cast<double>(size));
        EXPECT_NE(client.RealUrl().find("/files/"), std::string::npos);
        // Hashed while written, the part file's earlier bytes included.
        EXPECT_EQ(client.FileMd5(), Utils::Md5::Of(content));
    }
    EXPECT_EQ(server.BodyRanges(), (std::vector<std::string>{"bytes=5000000-"}));
    ASSERT_FALSE(sink.percents.empty());
    EXPECT_GE(sink.percents.front(), 5000000.0 * 100.0 / size);
    EXPECT_TRUE(ReadFileBytes(target) == content);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin.part"));
}

TEST_F(SingleStream, ConstructionDeletesAStalePartFile) {
    testing_support::WriteFile(dir / "out.bin.part", "stale");
    DownloadRecorder recorder(1, L"http://127.0.0.1:1/p.bin", dir / "out.bin");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin.part"));
}

}  // namespace
}  // namespace download_tests
