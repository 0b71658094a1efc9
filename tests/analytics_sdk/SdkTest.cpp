#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CollectorProcess.h"
#include "analytics/sdk/Sdk.h"
#include "platform/CommandLine.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

namespace {

using nlohmann::json;
using sdk_tests::CollectorProcess;
using telemetry::PropertiesNode;
using telemetry::Sdk;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using testing_support::ScratchDir;

// Records reach the staging file at Shutdown, which shows them without a
// network: the server address is never used.
struct SdkTest : testing::Test {
    ScratchDir dir;
    std::string staging = sdk_tests::Utf8Path(dir / "staging.txt");

    void TearDown() override { Sdk::Shutdown(); }

    bool Init(const std::string& id, bool login = false) {
        return Sdk::Init(staging, "http://127.0.0.1:9/unused", id, login);
    }
    std::vector<json> ShutdownAndRead() {
        Sdk::Shutdown();
        std::vector<json> records;
        for (const auto& line : sdk_tests::ReadLines(dir / "staging.txt")) {
            records.push_back(json::parse(line));
        }
        return records;
    }
};

TEST_F(SdkTest, NothingHappensWithoutInit) {
    PropertiesNode properties;
    Sdk::Track("Event", properties);
    Sdk::ProfileSet("k", "v");
    EXPECT_FALSE(Sdk::FlushAll());
    Sdk::Shutdown();
    CaptureStderr();
    EXPECT_FALSE(Init(""));
    EXPECT_EQ(GetCapturedStderr(), "The Distinct ID is empty.\n");
    Sdk::Track("Event", properties);
    Sdk::Shutdown();
    EXPECT_FALSE(std::filesystem::exists(dir / "staging.txt"));
}

TEST_F(SdkTest, TrackAndProfileRecords) {
    ASSERT_TRUE(Init("anon-1"));
    EXPECT_TRUE(Sdk::Init(staging, "http://elsewhere/", "anon-2", true));
    PropertiesNode properties;
    properties.SetString("button", "install");
    CaptureStderr();
    properties.SetString("huge", std::string(8193, 'h'));
    EXPECT_NE(GetCapturedStderr().find("String property 'huge' is too long"), std::string::npos);
    properties.SetString("$lib", "overridden");
    Sdk::Track("Click", properties);
    Sdk::ProfileSet("age", 7);
    Sdk::ProfileSetOnce("first", std::string("yes"));
    Sdk::ProfileIncrement("runs", 2);
    Sdk::ProfileAppend("tags", "a b");
    Sdk::ProfileSet("ratio", 0.5);
    Sdk::TrackWithInstallSource("Start", PropertiesNode());

    const auto records = ShutdownAndRead();
    ASSERT_EQ(records.size(), 7u);
    const json& track = records[0];
    EXPECT_EQ(track["type"], "track");
    EXPECT_EQ(track["event"], "Click");
    EXPECT_EQ(track["distinct_id"], "anon-1");  // the second Init changed nothing
    EXPECT_EQ(track["properties"]["button"], "install");
    EXPECT_EQ(track["properties"]["$lib"], "overridden");
    EXPECT_EQ(track["properties"]["$lib_version"], "0.9");
    EXPECT_FALSE(track["properties"].contains("huge"));
    EXPECT_FALSE(track["properties"].contains("$is_login_id"));
    EXPECT_EQ(track["lib"],
              json::parse(R"({"$lib":"cpp","$lib_method":"code","$lib_version":"0.9"})"));

    const json& set = records[1];
    EXPECT_EQ(set["type"], "profile_set");
    EXPECT_FALSE(set.contains("event"));
    EXPECT_EQ(set["properties"], json::parse(R"({"age":7})"));
    EXPECT_EQ(set["lib"]["$lib"], "cpp");
    EXPECT_EQ(records[2]["type"], "profile_set_once");
    EXPECT_EQ(records[2]["properties"]["first"], "yes");
    EXPECT_EQ(records[3]["type"], "profile_increment");
    EXPECT_EQ(records[3]["properties"]["runs"], 2);
    EXPECT_EQ(records[4]["type"], "profile_append");
    EXPECT_EQ(records[4]["properties"]["tags"], json::parse(R"(["a b"])"));
    EXPECT_EQ(records[5]["properties"]["ratio"], 0.5);
    EXPECT_EQ(records[6]["properties"]["$ios_install_source"], "");
    for (const auto& record : records) {
        EXPECT_TRUE(record["_track_id"].is_number_integer());
        EXPECT_TRUE(record["time"].is_number_integer());
    }
}

TEST_F(SdkTest, SignupTurnsEveryLaterRecordIntoTheLoginId) {
    ASSERT_TRUE(Init("anon"));
    Sdk::TrackSignup("user-7");
    Sdk::Track("After", PropertiesNode());
    Sdk::ProfileSet("k", "v");
    const auto records = ShutdownAndRead();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]["type"], "track_signup");
    EXPECT_EQ(records[0]["event"], "$SignUp");
    EXPECT_EQ(records[0]["distinct_id"], "user-7");
    EXPECT_EQ(records[0]["original_id"], "anon");
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(records[i]["distinct_id"], "user-7");
        EXPECT_EQ(records[i]["properties"]["$is_login_id"], true);
    }
}

TEST_F(SdkTest, SuperPropertiesMergeAndReset) {
    ASSERT_TRUE(Init("id", true));
    PropertiesNode super;
    super.SetString("channel", "web");
    Sdk::MergeSuperProperties(super);
    Sdk::Track("One", PropertiesNode());
    Sdk::ProfileSet("k", 1);
    Sdk::ResetSuperProperties();
    Sdk::Track("Two", PropertiesNode());
    const auto records = ShutdownAndRead();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]["properties"]["channel"], "web");
    EXPECT_EQ(records[0]["properties"]["$is_login_id"], true);
    EXPECT_FALSE(records[1]["properties"].contains("channel"));
    EXPECT_FALSE(records[2]["properties"].contains("channel"));
    EXPECT_EQ(records[2]["properties"]["$lib"], "cpp");
}

TEST_F(SdkTest, DroppedRecordsDoNotReachTheStore) {
    ASSERT_TRUE(Init("id"));
    PropertiesNode bad;
    bad.SetInt("9lives", 1);
    CaptureStderr();
    Sdk::Track("Fine", bad);
    Sdk::Track("not fine", PropertiesNode());
    GetCapturedStderr();
    EXPECT_TRUE(ShutdownAndRead().empty());
}

// Two runs of the driver: the first cannot deliver and keeps its records, the
// second delivers them with its own, each exactly once.
TEST(SdkRuns, RestartDeliversEverythingOnce) {
    ScratchDir dir;
    const std::wstring staging =
        L" --staging " + platform::QuoteArgument((dir / "staging.txt").wstring());
    {
        CollectorProcess refusing(dir / "refused.txt", {L"--status", L"503"});
        const std::string output = sdk_tests::RunTool(
            QM_TELEMETRY_RUN, L"--server " + platform::FromUtf8(refusing.Url()) + staging,
            "init first\ntrack A {\"n\":1}\ntrack B {\"n\":2}\nsignup who\nflushall\nshutdown\n");
        EXPECT_EQ(output, "ok\nok\nok\nok\nfalse\nok\n");
    }
    CollectorProcess collector(dir / "records.txt");
    const std::string output = sdk_tests::RunTool(
        QM_TELEMETRY_RUN, L"--server " + platform::FromUtf8(collector.Url()) + staging,
        "init second\ntrack C {\"n\":3,\"x\":1.5,\"ok\":true,\"l\":[\"p\"]}\nflush\nflushall\n"
        "track D {\"bad json\"\nshutdown\n");
    EXPECT_EQ(output, "ok\nok\nok\nok\nfalse\nok\n");
    std::vector<std::string> events;
    for (const auto& line : collector.Records()) events.push_back(json::parse(line)["event"]);
    EXPECT_EQ(events, (std::vector<std::string>{"A", "B", "$SignUp", "C"}));
    const json last = json::parse(collector.Records().back());
    EXPECT_EQ(last["distinct_id"], "second");
    EXPECT_TRUE(last["properties"]["n"].is_number_integer());
    EXPECT_EQ(last["properties"]["x"], 1.5);
    EXPECT_EQ(last["properties"]["ok"], true);
    EXPECT_EQ(last["properties"]["l"], json::parse(R"(["p"])"));
    EXPECT_TRUE(sdk_tests::ReadLines(dir / "staging.txt").empty());
}

}  // namespace
