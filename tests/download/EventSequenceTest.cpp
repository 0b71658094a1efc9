// The events of whole runs, for each downloader, against the package server.
#include <gtest/gtest.h>

#include "DownloadFixtures.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

using Milestones = std::vector<std::pair<int, std::wstring>>;

constexpr size_t kPackageBytes = 3 << 20;

struct SequenceCase {
    const char* name;
    int type;
    const char* path;  // on the server; "p.bin" is the package
    Milestones expected;
    bool fileKept;
};

class EventSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(EventSequence, FollowsTheTable) {
    const SequenceCase& c = GetParam();
    testing_support::ScratchDir dir;
    std::filesystem::create_directory(dir / "root");
    const std::string content = MakeContent(kPackageBytes);
    testing_support::WriteFile(dir / "root" / "p.bin", content);
    PackageServer server(dir / "root");

    const auto target = dir / "out.bin";
    DownloadRecorder recorder(c.type, server.Url(c.path), target);
    recorder.Start();
    ASSERT_TRUE(recorder.WaitFinal());

    EXPECT_EQ(CodesAndTexts(recorder.Milestones()), c.expected);
    for (const auto& event : recorder.Milestones()) {
        EXPECT_EQ(event.value, event.code == DL_CODE_START ? 1.0 : 0.0) << event.code;
    }
    double previous = 0.0;
    for (double value : recorder.Progress()) {
        EXPECT_GE(value, 0.0);
        EXPECT_LE(value, 1.0);
        EXPECT_GE(value, previous);
        previous = value;
    }
    EXPECT_EQ(std::filesystem::exists(target), c.fileKept);
    if (c.fileKept) {
        EXPECT_TRUE(ReadFileBytes(target) == content);
    }
    // No part file outlives the run.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_TRUE(entry.path() == target || entry.path().filename() == "root" ||
                    entry.path().extension() == ".log")
            << entry.path();
    }
}

const Milestones kCurlSuccess = {{1001, L""}, {1003, L"LibCurl"}};
const Milestones kCurlNoMd5 = {{1001, L""}, {1006, L"curl获取url-md5失败"}, {1003, L"LibCurl"}};
const Milestones kCurlMismatch = {{1001, L""}, {1006, L"curl文件md5校验失败"}, {1005, L"LibCurl"},
                                  {1001, L""}, {1006, L"curl文件md5校验失败"}, {1004, L"LibCurl"}};
const Milestones kMtNoMd5 = {{1001, L""}, {1006, L"mtcurl获取url-md5失败"}, {1003, L"LibCurl"}};
const Milestones kMtMismatch = {{1001, L""}, {1006, L"mtcurl文件md5校验失败"}, {1005, L"LibCurl"},
                                {1001, L""}, {1006, L"mtcurl文件md5校验失败"}, {1004, L"LibCurl"}};
const Milestones kSystemSuccess = {{1001, L""}, {1003, L"URLDownloadToFile"}};

INSTANTIATE_TEST_SUITE_P(
    Downloaders, EventSequence,
    testing::Values(
        SequenceCase{"CurlChecked", 1, "/download/p.bin", kCurlSuccess, true},
        SequenceCase{"CurlNoChecksum", 1, "/files/p.bin", kCurlNoMd5, true},
        SequenceCase{"CurlShortChecksum", 1, "/download/p.bin?md5=short", kCurlNoMd5, true},
        SequenceCase{"CurlMismatch", 1, "/download/p.bin?md5=wrong", kCurlMismatch, false},
        SequenceCase{"CurlUpperCase", 1, "/download/p.bin?md5=upper", kCurlMismatch, false},
        SequenceCase{"CurlAnyOtherType", 7, "/download/p.bin", kCurlSuccess, true},
        SequenceCase{"MtChecked", 3, "/download/p.bin", kCurlSuccess, true},
        SequenceCase{"MtNoChecksum", 3, "/files/p.bin", kMtNoMd5, true},
        SequenceCase{"MtMismatch", 3, "/download/p.bin?md5=wrong", kMtMismatch, false},
        SequenceCase{"MtUpperCase", 3, "/download/p.bin?md5=upper", kMtMismatch, false},
        SequenceCase{"SystemWithChecksumUnchecked", 2, "/download/p.bin?md5=wrong", kSystemSuccess,
                     true},
        SequenceCase{"SystemNoChecksum", 2, "/files/p.bin", kSystemSuccess, true}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return info.param.name; });

TEST(EventSequence, EmptyTargetFailsAtOnceWithValueOne) {
    for (int type : {1, 2, 3}) {
        DownloadRecorder recorder(type, L"http://127.0.0.1:1/download/p.bin", "");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << type;
        const auto events = recorder.Events();
        ASSERT_EQ(events.size(), 2u) << type;
        EXPECT_EQ(events[0].code, DL_CODE_START);
        EXPECT_EQ(events[1].code, DL_CODE_FAIL);
        EXPECT_EQ(events[1].value, 1.0);
        EXPECT_EQ(events[1].text, L"");
    }
}

// A finished file that cannot be put in place (the target is a folder with
// content, so neither the removal nor the rename can take its place) has no
// MD5: that is a failed check, never a verified or unverified success.
TEST(EventSequence, AFileThatCannotBeReadIsAFailedCheck) {
    struct UnreadableCase {
        int type;
        const char* path;
        const wchar_t* text;
    };
    const UnreadableCase cases[] = {
        {1, "/download/p.bin", L"curl文件md5校验失败"},
        {1, "/files/p.bin", L"curl文件md5校验失败"},
        {3, "/download/p.bin", L"mtcurl文件md5校验失败"},
        {3, "/files/p.bin", L"mtcurl文件md5校验失败"},
    };
    testing_support::ScratchDir dir;
    std::filesystem::create_directory(dir / "root");
    testing_support::WriteFile(dir / "root" / "p.bin", MakeContent(kPackageBytes));
    PackageServer server(dir / "root");
    for (const auto& c : cases) {
        const auto target = dir / "taken";
        std::filesystem::create_directories(target / "inside");
        DownloadRecorder recorder(c.type, server.Url(c.path), target);
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << c.type << c.path;
        const Milestones expected = {{1001, L""}, {1006, c.text}, {1005, L"LibCurl"},
                                     {1001, L""}, {1006, c.text}, {1004, L"LibCurl"}};
        EXPECT_EQ(CodesAndTexts(recorder.Milestones()), expected) << c.type << c.path;
        std::filesystem::remove_all(target);
    }
}

}  // namespace
}  // namespace download_tests
