// The download-run tool: one line per event, the pipeline's reactions, and an
// exit status that says whether the last event was a success.
#include <gtest/gtest.h>

#include <sstream>

#include "DownloadFixtures.h"
#include "platform/CommandLine.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

testing_support::ProgramResult RunTool(int type, const std::wstring& url,
                                       const std::filesystem::path& target) {
    const auto tool = testing_support::ToolPath(QM_DOWNLOAD_RUN);
    return testing_support::RunProgram(platform::QuoteArgument(tool.wstring()) + L" --type " +
                                       std::to_wstring(type) + L" " + url + L" " +
                                       platform::QuoteArgument(target.wstring()));
}

std::vector<std::string> NonProgressLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("1002\t", 0) != 0) lines.push_back(line);
    }
    return lines;
}

TEST(DownloadRun, PrintsEveryEventAndExitsWithTheOutcome) {
    testing_support::ScratchDir dir;
    std::filesystem::create_directory(dir / "root");
    const std::string content = MakeContent(2 << 20);
    testing_support::WriteFile(dir / "root" / "p.bin", content);
    PackageServer server(dir / "root");

    const auto good = RunTool(3, server.Url("/files/p.bin"), dir / "good.bin");
    EXPECT_EQ(good.exitCode, 0u);
    EXPECT_EQ(NonProgressLines(good.output),
              (std::vector<std::string>{"1001\t1\t", "1006\t0\tmtcurl获取url-md5失败",
                                        "1003\t0\tLibCurl"}));
    EXPECT_TRUE(ReadFileBytes(dir / "good.bin") == content);

    // A mismatch is retried once by a new Start, then fails and the target goes.
    const auto bad = RunTool(1, server.Url("/download/p.bin?md5=wrong"), dir / "bad.bin");
    EXPECT_EQ(bad.exitCode, 1u);
    EXPECT_EQ(NonProgressLines(bad.output),
              (std::vector<std::string>{"1001\t1\t", "1006\t0\tcurl文件md5校验失败",
                                        "1005\t0\tLibCurl", "1001\t1\t",
                                        "1006\t0\tcurl文件md5校验失败", "1004\t0\tLibCurl"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.bin"));
}

}  // namespace
}  // namespace download_tests
