#include <gtest/gtest.h>

#include <filesystem>

#include "platform/CommandLine.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScratchDir;

// The tool reads the file beside its own executable, so each run uses a copy.
std::string RunConfigDump(const ScratchDir& dir, const char* ini, const std::wstring& switches) {
    const fs::path tool = testing_support::ToolPath(QM_CONFIG_DUMP);
    const fs::path copy = dir / QM_CONFIG_DUMP;
    fs::copy_file(tool, copy, fs::copy_options::overwrite_existing);
    if (ini) testing_support::WriteFile(dir / "VarenInstallerConfig.ini", ini);
    auto result =
        testing_support::RunProgram(platform::QuoteArgument(copy.wstring()) + L" " + switches);
    EXPECT_EQ(result.exitCode, 0u);
    return result.output;
}

TEST(ConfigDump, PrintsEveryFieldInOrder) {
    ScratchDir dir;
    const std::string output = RunConfigDump(
        dir, "[Install]\nDownloadType=2\nDlAppNameSuffix=.web\nInstCmd=/from-file\n",
        L"-downloadtype=3 -downloadscale=0.25 -instcmd=\"/S /D=C:\\\u00e9 x\" -ischecknet=false");
    EXPECT_EQ(output,
              "ProductName=Quillmark\n"
              "ProductVersion=1.7.9\n"
              "ExeName=" QM_CONFIG_DUMP
              "\n"
              "DlAppNameSuffix=.web\n"
              "DlAppVersion=\n"
              "InstCmd=/S /D=C:\\\xC3\xA9 x\n"
              "DownloadUrl=http://dl.quillmark-reader.example/software/166\n"
              "DownloadType=3\n"
              "IsCheckNet=false\n"
              "IsEnableAnalytics=true\n"
              "DownloadScale=0.25\n"
              "LibcurlReady=true\n"
              "AbGroup=IN\n");
}

TEST(ConfigDump, NoFileNoSwitches) {
    ScratchDir dir;
    const std::string output = RunConfigDump(dir, nullptr, L"");
    EXPECT_NE(output.find("\nDownloadType=1\nIsCheckNet=false\nIsEnableAnalytics=true\n"
                          "DownloadScale=0.7\n"),
              std::string::npos)
        << output;
}

}  // namespace
