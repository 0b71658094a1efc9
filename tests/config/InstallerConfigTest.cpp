#include <gtest/gtest.h>

#include <cmath>

#include "config/InstallerConfig.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "utils/SystemVersion.h"

namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

// Loads the configuration of an executable placed in dir, with the given file
// contents beside it (no file when ini is null).
InstallerConfig Load(const ScratchDir& dir, const char* ini) {
    if (ini) WriteFile(dir / "VarenInstallerConfig.ini", ini);
    InstallerConfig config;
    LoadConfiguration(config, (dir / "QuillmarkSetup.exe").wstring());
    return config;
}

InstallerConfig Apply(InstallerConfig config, const std::wstring& commandLine) {
    Utils::CommandLineArgs args;
    args.Parse(L"setup.exe " + commandLine);
    ApplyCommandLine(config, args);
    return config;
}

TEST(LoadConfiguration, DefaultsWithoutAFile) {
    ScratchDir dir;
    const InstallerConfig c = Load(dir, nullptr);
    EXPECT_EQ(c.ProductName, L"Quillmark");
    EXPECT_EQ(c.ProductVersion, L"1.7.9");
    EXPECT_EQ(c.ExeName, L"QuillmarkSetup.exe");
    EXPECT_EQ(c.DlAppNameSuffix, L".downloader");
    EXPECT_EQ(c.DlAppVersion, L"");
    EXPECT_EQ(c.InstCmd, L"");
    EXPECT_EQ(c.DownloadUrl, L"http://dl.quillmark-reader.example/software/166");
    EXPECT_EQ(c.DownloadType, 1);
    EXPECT_FALSE(c.IsCheckNet);
    EXPECT_TRUE(c.IsEnableAnalytics);
    EXPECT_EQ(c.DownloadScale, 0.7);
    EXPECT_TRUE(c.LibcurlReady);
    EXPECT_EQ(c.AbGroup, L"IN");
}

TEST(LoadConfiguration, SectionAloneTurnsTheNetworkCheckOn) {
    ScratchDir dir;
    const InstallerConfig c = Load(dir, "[Install]\n");
    EXPECT_TRUE(c.IsCheckNet);
    EXPECT_TRUE(c.IsEnableAnalytics);
    EXPECT_EQ(c.DownloadType, 1);
    EXPECT_EQ(c.DownloadScale, 0.7);
    EXPECT_EQ(c.DownloadUrl, L"http://dl.quillmark-reader.example/software/166");
}

TEST(LoadConfiguration, EveryKey) {
    ScratchDir dir;
    const InstallerConfig c = Load(dir,
                                   "[Install]\r\n"
                                   "DownloadUrl=http://h/${ROUTE}/p?r=${ROUTE}\r\n"
                                   "DownloadType=3\r\n"
                                   "IsCheckNet=True\r\n"
                                   "IsEnableAnalytics=false\r\n"
                                   "DlAppNameSuffix=.web\r\n"
                                   "m_DlAppVersion=2.0\r\n"
                                   "DownloadScale=0.5 of it\r\n"
                                   "InstCmd=/quiet \"x\"\r\n"
                                   "ProductName=Other\r\n");
    std::wstring family, label;
    Utils::GetOsName(family, label);
    const std::wstring route = DownloadRouteFor(label);
    EXPECT_EQ(c.DownloadUrl, L"http://h/" + route + L"/p?r=" + route);
    EXPECT_EQ(c.DownloadType, 3);
    EXPECT_FALSE(c.IsCheckNet);  // only the exact text "true" counts
    EXPECT_FALSE(c.IsEnableAnalytics);
    EXPECT_EQ(c.DlAppNameSuffix, L".web");
    EXPECT_EQ(c.DlAppVersion, L"2.0");
    EXPECT_EQ(c.DownloadScale, 0.5);
    EXPECT_EQ(c.InstCmd, L"/quiet \"x\"");
    EXPECT_EQ(c.ProductName, L"Quillmark");
}

TEST(LoadConfiguration, DownloadScaleValues) {
    struct Case {
        const char* value;
        double scale;
    };
    const Case cases[] = {
        {"0.25", 0.25}, {"  1", 1.0},  {"0", 0.0},     {"abc", 0.0},   {"", 0.0},
        {"nan", 0.7},   {"inf", 0.7},  {"-0.5", 0.7},  {"1.5", 0.7},   {"1e999", 0.0},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const std::string ini = std::string("[Install]\nDownloadScale=") + c.value + "\n";
        EXPECT_EQ(Load(dir, ini.c_str()).DownloadScale, c.scale) << c.value;
    }
}

TEST(LoadConfiguration, LongValuesAreCut) {
    ScratchDir dir;
    const std::string url = "http://h/" + std::string(400, 'a');
    const InstallerConfig c = Load(dir, ("[Install]\nDownloadUrl=" + url + "\n").c_str());
    EXPECT_EQ(c.DownloadUrl.size(), 259u);
}

TEST(ApplyCommandLine, Switches) {
    ScratchDir dir;
    const InstallerConfig loaded = Load(dir, "[Install]\nInstCmd=/from-file\nDownloadType=2\n");
    const InstallerConfig c = Apply(loaded,
                                    L"-downloadurl=http://x/${ROUTE} -downloadtype=3x "
                                    L"-downloadscale=0.4 -ischecknet=true -isenableanalytics=1 "
                                    L"-dlappnamesuffix= -dlappversion=9 -instcmd= -unknown=1");
    std::wstring family, label;
    Utils::GetOsName(family, label);
    EXPECT_EQ(c.DownloadUrl, L"http://x/" + DownloadRouteFor(label));
    EXPECT_EQ(c.DownloadType, 3);
    EXPECT_EQ(c.DownloadScale, 0.4);
    EXPECT_TRUE(c.IsCheckNet);
    EXPECT_FALSE(c.IsEnableAnalytics);
    EXPECT_EQ(c.DlAppNameSuffix, L"");
    EXPECT_EQ(c.DlAppVersion, L"9");
    EXPECT_EQ(c.InstCmd, L"");
}

TEST(ApplyCommandLine, ValueRules) {
    ScratchDir dir;
    const InstallerConfig base = Load(dir, "[Install]\nDownloadType=2\nIsCheckNet=true\n");
    EXPECT_EQ(Apply(base, L"-downloadtype=x3").DownloadType, 0);
    EXPECT_EQ(Apply(base, L"-downloadtype=2 -downloadtype=3").DownloadType, 2);
    EXPECT_EQ(Apply(base, L"-downloadtype=99999999999").DownloadType, 0);
    EXPECT_EQ(Apply(base, L"-downloadtype").DownloadType, 0);
    EXPECT_EQ(Apply(base, L"").DownloadType, 2);
    EXPECT_TRUE(Apply(base, L"-IsCheckNet=false").IsCheckNet);  // wrong case: ignored
    EXPECT_FALSE(Apply(base, L"-ischecknet").IsCheckNet);
    EXPECT_FALSE(Apply(base, L"-ischecknet=True").IsCheckNet);
    EXPECT_FALSE(Apply(base, L"/ischecknet=true --ischecknet=true -ischecknet=no").IsCheckNet);
    EXPECT_EQ(Apply(base, L"-downloadurl").DownloadUrl, L"");
    EXPECT_EQ(Apply(base, L"\"-instcmd=/S /D=C:\\a b\"").InstCmd, L"/S /D=C:\\a b");
    for (const wchar_t* bad : {L"-downloadscale=abc", L"-downloadscale=nan", L"-downloadscale=inf",
                               L"-downloadscale=-0.1", L"-downloadscale=1.01", L"-downloadscale",
                               L"-downloadscale=1e999"}) {
        EXPECT_EQ(Apply(base, bad).DownloadScale, 0.7) << testing::PrintToString(std::wstring(bad));
    }
    EXPECT_EQ(Apply(base, L"-downloadscale=1").DownloadScale, 1.0);
}

TEST(ResolveDownloadRoute, Routes) {
    EXPECT_EQ(DownloadRouteFor(L"XP"), L"download_silent_xp");
    EXPECT_EQ(DownloadRouteFor(L"XP-"), L"download_silent_xp");
    EXPECT_EQ(DownloadRouteFor(L"XP+"), L"download_silent_xp");
    EXPECT_EQ(DownloadRouteFor(L"7"), L"download_silent");
    EXPECT_EQ(DownloadRouteFor(L"10"), L"download_silent");
    EXPECT_EQ(ResolveDownloadRoute(L"http://h/software/166"), L"http://h/software/166");
}

}  // namespace
