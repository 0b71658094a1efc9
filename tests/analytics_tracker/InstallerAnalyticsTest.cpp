// The installer's reports end to end: configuration in, records at the
// collector out; and the hand-off files for the installed product.
#include <regex>
#include <thread>

#include "CollectorProcess.h"
#include "TrackerFixture.h"
#include "analytics/tracker/AnalyticsHandOff.h"
#include "analytics/tracker/InstallerAnalytics.h"
#include "config/InstallerConfig.h"
#include "download/CurlClient.h"
#include "platform/Environment.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace tracker_tests {
namespace {

using namespace varen::tracking;
using sdk_tests::CollectorProcess;

const ExtraProperties kGroup = {{L"AB", L"IN"}};

struct InstallerAnalytics : TrackerFixture {
    InstallerConfig saved = GetInstallerConfig();

    void SetUp() override {
        InstallerConfig& config = GetInstallerConfig();
        config = InstallerConfig();
        config.ExeName = L"QuillmarkSetup.exe";
        config.DlAppVersion = L"5.1";
    }
    void TearDown() override {
        ReleaseAnalytics();
        GetInstallerConfig() = saved;
        TrackerFixture::TearDown();
    }
};

TEST_F(InstallerAnalytics, ReportsReachTheCollector) {
    CollectorProcess collector(dir / "records.txt");
    GetInstallerConfig().AnalyticsServerUrl = platform::FromUtf8(collector.Url());
    GetInstallerConfig().DlAppNameSuffix = L".web";
    // Before the start: dropped, and no fault.
    ReportTask(L"too early", L"", kGroup, 0);
    ReportCrash();
    StartAnalytics(Paths());
    ASSERT_TRUE(AnalyticsStarted());
    ReportClick(L"立即安装", kGroup);
    ReportInstallingView(kGroup);
    ReportTask(L"大包下载完毕", L"", kGroup, 12.5f);
    // A length query the server answers with 404 reaches the collector
    // through the reporter the start handed to the download engine.
    ASSERT_EQ(GetDownloadReporter(), &InstallerDownloadReporter());
    CurlClient client(L"", (dir / "package.exe").wstring(), nullptr, nullptr, nullptr);
    const std::string missing = "http://127.0.0.1:" + std::to_string(collector.port()) + "/none";
    client.GetDownloadFileLength_Str(missing);
    ReportTask(L"bad group", L"", {{L"AB", L"in"}}, 0);
    ReportCrash();
    const auto delivered = collector.Records();
    ASSERT_EQ(delivered.size(), 6u);
    ReportClick(L"立即体验", kGroup);
    ReleaseAnalytics();
    EXPECT_FALSE(AnalyticsStarted());
    ReportClick(L"after release", kGroup);

    std::vector<json> records;
    for (const auto& line : collector.Records()) records.push_back(json::parse(line));
    ASSERT_EQ(records.size(), 7u);
    const char* names[] = {"KxEventClick", "KxEventView", "KxEventTask", "KxEventTask",
                           "KxEventTask",  "AppCrashed",  "KxEventClick"};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i]["event"], names[i]) << i;
        EXPECT_EQ(records[i]["properties"]["kx_app_id"], "Quillmark.web");
        EXPECT_EQ(records[i]["properties"]["kx_dlapp_version"], "5.1");
        EXPECT_EQ(records[i]["properties"]["kx_app_store"], "QuillmarkSetup.exe");
    }
    ExpectOwnProperties(records[0]["properties"],
                        json::parse(R"({"kx_name":"立即安装","kx_click_type":"Button",
                                        "$is_first_time":true,"kxc_ab":"IN"})"));
    ExpectOwnProperties(records[1]["properties"],
                        json::parse(R"({"kx_name":"安装中","$is_first_time":true,"kxc_ab":"IN"})"));
    ExpectOwnProperties(records[2]["properties"],
                        json::parse(R"({"kx_task_name":"大包下载完毕","kx_task_elapsed":12.5,
                                        "kx_task_result":"Success","$is_first_time":true,
                                        "kxc_ab":"IN"})"));
    EXPECT_EQ(records[3]["properties"]["kx_task_name"], "下载失败原因");
    EXPECT_EQ(records[3]["properties"]["kx_reason"], "1.获取文件大小的状态码为=404；");
    EXPECT_EQ(records[4]["properties"]["kx_task_name"], "bad group");
    EXPECT_FALSE(records[4]["properties"].contains("kxc_ab"));
    EXPECT_EQ(records[5]["properties"]["app_crashed_reason"], "崩溃");
    EXPECT_EQ(records[6]["properties"]["kx_name"], "立即体验");
}

// Operators point the installer at another collector in its configuration file.
TEST_F(InstallerAnalytics, TheConfigurationFileNamesTheCollector) {
    CollectorProcess collector(dir / "records.txt");
    const auto installer = dir / "QuillmarkSetup.exe";
    testing_support::WriteFile(dir / "VarenInstallerConfig.ini",
                               "[Install]\nAnalyticsServerUrl=" + collector.Url() + "\n");
    LoadConfiguration(GetInstallerConfig(), installer.wstring());
    StartAnalytics(Paths());
    ReportClick(L"自定义安装", kGroup);
    ReleaseAnalytics();
    const auto records = collector.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(json::parse(records[0])["properties"]["kx_name"], "自定义安装");

    LoadConfiguration(GetInstallerConfig(), (dir / "elsewhere" / "setup.exe").wstring());
    EXPECT_EQ(GetInstallerConfig().AnalyticsServerUrl, L"");
}

TEST_F(InstallerAnalytics, SwitchedOffCreatesAndSendsNothing) {
    CollectorProcess collector(dir / "records.txt");
    GetInstallerConfig().AnalyticsServerUrl = platform::FromUtf8(collector.Url());
    GetInstallerConfig().IsEnableAnalytics = false;
    StartAnalytics(Paths());
    EXPECT_FALSE(AnalyticsStarted());
    ReportClick(L"立即安装", kGroup);
    ReportCrash();
    InstallerDownloadReporter().ReportLengthQueryFailed(L"1.获取文件大小的状态码为=500；");
    ReleaseAnalytics();
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));
    EXPECT_TRUE(collector.Records().empty());

    // The product's hand-off does not depend on the switch.
    WriteAnalyticsStateFile((dir / "install").wstring(), (dir / "product").wstring());
    EXPECT_EQ(ReadIni(sdk_tests::Utf8Path(dir / "install" / "set.ini"), L"Install", L"AppName"),
              "<missing>");  // no install folder yet: the file cannot be made
    std::filesystem::create_directories(dir / "install");
    WriteAnalyticsStateFile((dir / "install").wstring(), (dir / "product").wstring());
    EXPECT_EQ(ReadIni(sdk_tests::Utf8Path(dir / "install" / "set.ini"), L"Install", L"AppName"),
              "Quillmark");
}

// Reports from several threads at once reach the tracker one at a time.
TEST_F(InstallerAnalytics, ConcurrentReportsAreSerialised) {
    CollectorProcess collector(dir / "records.txt");
    GetInstallerConfig().AnalyticsServerUrl = platform::FromUtf8(collector.Url());
    StartAnalytics(Paths());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 10; ++i) {
                ReportTask(L"t" + std::to_wstring(t), L"", kGroup, static_cast<float>(i));
                if (i % 5 == 4) ReportCrash();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    // A crash right after another one finds nothing waiting and stays queued;
    // a last "later" report makes the shutdown send it.
    ReportTask(L"last", L"", kGroup, 0);
    ReleaseAnalytics();
    size_t tasks = 0, crashes = 0;
    for (const auto& line : collector.Records()) {
        const json record = json::parse(line);
        tasks += record["event"] == "KxEventTask";
        crashes += record["event"] == "AppCrashed";
    }
    EXPECT_EQ(tasks, 41u);
    EXPECT_EQ(crashes, 8u);
}

TEST_F(InstallerAnalytics, HandOffFiles) {
    const auto install = dir / "Quillmark";
    std::filesystem::create_directories(install);
    const auto product = dir / "roaming" / "VarenData" / "Quillmark";
    WriteAnalyticsStateFile(install.wstring(), product.wstring());
    const std::string handOff = sdk_tests::Utf8Path(install / "set.ini");
    EXPECT_EQ(ReadIni(handOff, L"Install", L"APPStore"),
              platform::ToUtf8(platform::FileNamePart(platform::ModuleFileName())));
    EXPECT_EQ(ReadIni(handOff, L"Install", L"AppName"), "Quillmark");
    const std::string firstDevice = ReadIni(handOff, L"Install", L"DeviceID");
    EXPECT_EQ(firstDevice.size(), 32u);
    const auto analyticsIni = product / "KXAnalytics.ini";
    EXPECT_EQ(ReadIni(handOff, L"Install", L"KXAnalyticsIni"), sdk_tests::Utf8Path(analyticsIni));
    const std::string updated = ReadIni(sdk_tests::Utf8Path(analyticsIni), L"Init", L"UpdateTime");
    EXPECT_TRUE(std::regex_match(updated, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << updated;

    WriteAnalyticsStateFile(install.wstring(), product.wstring());
    EXPECT_NE(ReadIni(handOff, L"Install", L"DeviceID"), firstDevice);

    // A product data folder that cannot be made: no entry pointing at it.
    const auto blocked = dir / "blocked";
    testing_support::WriteFile(blocked, "a file");
    const auto other = dir / "Other";
    std::filesystem::create_directories(other);
    WriteAnalyticsStateFile(other.wstring(), (blocked / "data").wstring());
    EXPECT_EQ(ReadIni(sdk_tests::Utf8Path(other / "set.ini"), L"Install", L"AppName"), "Quillmark");
    EXPECT_EQ(ReadIni(sdk_tests::Utf8Path(other / "set.ini"), L"Install", L"KXAnalyticsIni"),
              "<missing>");
}

// The hand-off written by the installer is what a tracker started from the
// install folder reads to find its state file.
TEST_F(InstallerAnalytics, ProductDataFolderFollowsTheRoamingFolder) {
#ifdef _WIN32
    const wchar_t* variable = L"APPDATA";
#else
    const wchar_t* variable = L"XDG_CONFIG_HOME";
#endif
    const auto before = platform::EnvironmentValue(variable);
    platform::SetEnvironmentValue(variable, (dir / "roaming").wstring());
    EXPECT_EQ(ProductDataFolder(), (dir / "roaming" / "VarenData" / "Quillmark").wstring());
    const auto install = dir / "install";
    std::filesystem::create_directories(install);
    WriteAnalyticsStateFile(install.wstring());
    platform::SetEnvironmentValue(variable, before);

    TrackerPaths paths = Paths();
    paths.settingsFile = (install / "set.ini").wstring();
    auto impl = std::make_unique<UsageTrackerImpl>(Config(UnsentUrl()), paths);
    impl->Init();
    const std::string stateFile =
        sdk_tests::Utf8Path(dir / "roaming" / "VarenData" / "Quillmark" / "KXAnalytics.ini");
    EXPECT_EQ(ReadIni(stateFile, L"Base", L"DistinctId"), impl->state().distinctId);
}

}  // namespace
}  // namespace tracker_tests
