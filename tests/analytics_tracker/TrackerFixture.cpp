#include "TrackerFixture.h"

#include <set>

#include "CollectorProcess.h"
#include "analytics/sdk/Sdk.h"
#include "platform/Profile.h"
#include "platform/Text.h"

namespace tracker_tests {

using varen::tracking::TrackerConfig;
using varen::tracking::TrackerPaths;
using varen::tracking::UsageTrackerImpl;

TrackerConfig TrackerFixture::Config(const std::string& serverUrl) {
    TrackerConfig config;
    config.appName = kAppName;
    config.appVersion = "1.7.9";
    config.appStore = "QuillmarkSetup.exe";
    config.dlAppId = "Quillmark";
    config.serverUrl = serverUrl;
    return config;
}

TrackerPaths TrackerFixture::Paths() const {
    return {(dir / "Set.ini").wstring(), sdk_tests::Utf8Path(dir / "data")};
}

std::string TrackerFixture::TrackerFolder() const {
    return sdk_tests::Utf8Path(dir / "data" / "KXLocal" / kAppName);
}

std::string TrackerFixture::StateFile() const {
    return sdk_tests::Utf8Path(dir / "data" / "KXLocal" / kAppName /
                               (std::string(kAppName) + "_KXSConfigure.ini"));
}

std::unique_ptr<UsageTrackerImpl> TrackerFixture::Start(const std::string& serverUrl) {
    auto tracker = std::make_unique<UsageTrackerImpl>(Config(serverUrl), Paths());
    tracker->Init();
    return tracker;
}

std::vector<json> TrackerFixture::Finish(std::unique_ptr<UsageTrackerImpl>& tracker) {
    tracker.reset();
    std::vector<json> records;
    const auto staging =
        dir / "data" / "KXLocal" / kAppName / (std::string(kAppName) + "_KXSStaging.txt");
    for (const auto& line : sdk_tests::ReadLines(staging)) records.push_back(json::parse(line));
    // The next run would send them again.
    std::filesystem::remove(staging);
    return records;
}

std::string TrackerFixture::UnsentUrl() const {
    return "http://127.0.0.1:" + std::to_string(sdk_tests::UnusedPort()) + "/sa?project=pc";
}

void TrackerFixture::TearDown() {
    telemetry::Sdk::Shutdown();
}

std::vector<json> OfType(const std::vector<json>& records, const std::string& type) {
    std::vector<json> found;
    for (const auto& record : records) {
        if (record["type"] == type) found.push_back(record);
    }
    return found;
}

namespace {

const std::set<std::string> kCarriedByEveryEvent = {"$lib",
                                                    "$lib_version",
                                                    "kx_app_id",
                                                    "$app_id",
                                                    "$app_version",
                                                    "kx_app_store",
                                                    "kx_edition",
                                                    "kx_dlapp_id",
                                                    "kx_dlapp_version",
                                                    "kx_app_platform",
                                                    "kx_track_type",
                                                    "kx_sdk_version",
                                                    "kx_sdk",
                                                    "$os",
                                                    "$os_version",
                                                    "kx_l10n_locale",
                                                    "kx_l10n_language",
                                                    "kx_l10n_country",
                                                    "$screen_height",
                                                    "$screen_width",
                                                    "kx_user_id",
                                                    "$is_login_id"};

std::string Kind(const json& value) {
    if (value.is_number_float()) return "floating";
    if (value.is_number()) return "integer";
    return value.type_name();
}

}  // namespace

void ExpectOwnProperties(const json& properties, const json& expected) {
    json own = properties;
    for (const auto& key : kCarriedByEveryEvent) {
        if (!expected.contains(key)) own.erase(key);
    }
    EXPECT_EQ(own.size(), expected.size())
        << "got " << own.dump() << "\nwanted " << expected.dump();
    for (const auto& [key, value] : expected.items()) {
        if (!own.contains(key)) {
            ADD_FAILURE() << "missing " << key << " in " << own.dump();
            continue;
        }
        EXPECT_EQ(own[key], value) << key;
        EXPECT_EQ(Kind(own[key]), Kind(value)) << key;
    }
}

varen::tracking::KxEventClick ClickNamed(const std::string& name) {
    varen::tracking::KxEventClick click;
    click.name = name;
    return click;
}

std::string ReadIni(const std::string& file, const std::wstring& section, const std::wstring& key) {
    return platform::ToUtf8(
        platform::ReadProfileString(section, key, L"<missing>", platform::FromUtf8(file), 1024));
}

}  // namespace tracker_tests
