// When records leave for the collector, and the identity that survives a
// restart.
#include "CollectorProcess.h"
#include "TrackerFixture.h"

namespace tracker_tests {
namespace {

using namespace varen::tracking;
using sdk_tests::CollectorProcess;

const KxContextProperties kNoContext;

std::vector<std::string> EventNames(const CollectorProcess& collector) {
    std::vector<std::string> names;
    for (const auto& line : collector.Records()) {
        const json record = json::parse(line);
        names.push_back(record.value("event", record["type"].get<std::string>()));
    }
    return names;
}

TEST_F(TrackerFixture, LaterEventsWaitForTheNextNowEvent) {
    CollectorProcess collector(dir / "records.txt");
    auto tracker = Start(collector.Url());
    // Nothing is waiting yet: the "now" event stays queued.
    tracker->trackUninstall("first", kNoContext);
    EXPECT_TRUE(collector.Records().empty());
    tracker->trackClick(ClickNamed("a"), kNoContext);
    tracker->trackView({"", "b", "", ""}, kNoContext);
    tracker->trackTask({"", "c", "", 0.0f, KxResult::Success}, kNoContext);
    EXPECT_TRUE(collector.Records().empty());
    EXPECT_EQ(tracker->state().pendingSends.load(), 5);  // click and view count twice
    tracker->trackCrash("now");
    EXPECT_EQ(EventNames(collector),
              (std::vector<std::string>{"KxEventUninstall", "KxEventClick", "KxEventView",
                                        "KxEventTask", "AppCrashed"}));
    EXPECT_EQ(tracker->state().pendingSends.load(), 0);
    // What is queued at the end goes out at shutdown.
    tracker->trackClick(ClickNamed("last"), kNoContext);
    tracker.reset();
    EXPECT_EQ(EventNames(collector).back(), "KxEventClick");
}

TEST_F(TrackerFixture, AFailedSendKeepsRecordsForTheNextRun) {
    {
        CollectorProcess refusing(dir / "refused.txt", {L"--status", L"503"});
        auto tracker = Start(refusing.Url());
        tracker->trackClick(ClickNamed("kept"), kNoContext);
        tracker->trackCrash("x");
        EXPECT_GT(tracker->state().pendingSends.load(), 0);
    }
    CollectorProcess collector(dir / "records.txt");
    // The collector's URL changed, so the identity starts over as well.
    auto tracker = Start(collector.Url());
    tracker->trackActivity(kNoContext);
    const auto names = EventNames(collector);
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "KxEventClick");
    EXPECT_EQ(names[1], "AppCrashed");
    EXPECT_EQ(names[2], "KxEventActivity");
}

TEST_F(TrackerFixture, IdentitySurvivesARestart) {
    const std::string url = UnsentUrl();
    std::string firstId;
    {
        auto tracker = Start(url);
        firstId = tracker->state().distinctId;
        // Saved at once, not only at exit.
        EXPECT_EQ(ReadIni(StateFile(), L"Base", L"DistinctId"), firstId);
        EXPECT_EQ(ReadIni(StateFile(), L"Base", L"isLogined"), "NG");
        EXPECT_EQ(ReadIni(StateFile(), L"UninstallInfo", L"AppName"), kAppName);
        EXPECT_EQ(ReadIni(StateFile(), L"UninstallInfo", L"AppStore"), "QuillmarkSetup.exe");
        EXPECT_EQ(ReadIni(StateFile(), L"UninstallInfo", L"AppVersion"), "1.7.9");
        EXPECT_TRUE(std::filesystem::exists(dir / "data" / "KXLocal" / kAppName /
                                            (std::string(kAppName) + "_KXSLog.txt")));
        KxUserInfo user;
        user.userId = "user-1";
        user.userType = 2;
        user.vipLevel = 3;
        tracker->trackLogin(user, true, "", kNoContext);
        user.userId = "user-2";
        tracker->trackLogin(user, false, "bad", kNoContext);
        const auto records = Finish(tracker);
        const auto signups = OfType(records, "track_signup");
        ASSERT_EQ(signups.size(), 1u);  // the second login does not sign up again
        EXPECT_EQ(signups[0]["distinct_id"], "user-1");
        EXPECT_EQ(signups[0]["original_id"], firstId);
        const auto events = OfType(records, "track");
        ASSERT_EQ(events.size(), 2u);
        ExpectOwnProperties(events[0]["properties"],
                            json::parse(R"({"kx_user_id":"user-1","kx_login_id":"user-1",
                                "kx_type":"email","kx_result":"Success","$is_first_time":true})"));
        EXPECT_EQ(events[1]["properties"]["kx_user_id"], "user-2");
        EXPECT_EQ(events[1]["properties"]["kx_result"], "Fail");
        EXPECT_EQ(events[1]["properties"]["kx_reason"], "bad");
        EXPECT_EQ(events[1]["distinct_id"], "user-1");
        EXPECT_EQ(events[1]["properties"]["$is_login_id"], true);
    }
    EXPECT_EQ(ReadIni(StateFile(), L"Base", L"UserId"), "user-1");
    EXPECT_EQ(ReadIni(StateFile(), L"Base", L"PrimaryDistinctId"), firstId);
    EXPECT_EQ(ReadIni(StateFile(), L"Base", L"isLogined"), "OK");
    EXPECT_EQ(ReadIni(StateFile(), L"Base", L"UserVipLevel"), "3");
    {
        auto tracker = Start(url);
        EXPECT_TRUE(tracker->state().loggedIn);
        EXPECT_EQ(tracker->getPrimaryDistinctId(), firstId);
        tracker->trackLaunch(kNoContext);
        const auto records = Finish(tracker);
        const auto events = OfType(records, "track");
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0]["distinct_id"], "user-1");
        EXPECT_EQ(events[0]["properties"]["kx_user_id"], "user-1");
        // A stored user gets the visit dates with each launch.
        EXPECT_EQ(OfType(records, "profile_set_once").size(), 2u);
    }
    {
        // Another collector: the user is forgotten, the anonymous id stays.
        auto tracker = Start(UnsentUrl());
        EXPECT_FALSE(tracker->state().loggedIn);
        EXPECT_EQ(tracker->state().userId, "");
        EXPECT_EQ(tracker->state().distinctId, firstId);
    }
}

TEST_F(TrackerFixture, ASuccessfulPaymentMakesTheUserVipAndSendsAtOnce) {
    CollectorProcess collector(dir / "records.txt");
    auto tracker = Start(collector.Url());
    KxEventPayment payment;
    payment.orderId = "o";
    payment.currency = KxCurrency::EUR;
    payment.paidPlatform = KxPaidPlatform::Paddle;
    payment.paidAmount = 4.5f;
    payment.result = KxResult::Success;
    tracker->trackPayment(payment, kNoContext);
    EXPECT_EQ(ReadIni(StateFile(), L"Base", L"UserVipLevel"), "1");
    std::vector<json> records;
    for (const auto& line : collector.Records()) records.push_back(json::parse(line));
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0]["event"], "KxEventPayment");
    EXPECT_EQ(records[1]["type"], "profile_increment");
    EXPECT_EQ(records[1]["properties"], json::parse(R"({"kx_paid_count":1})"));
    EXPECT_EQ(records[2]["type"], "profile_increment");
    EXPECT_EQ(records[2]["properties"], json::parse(R"({"kx_consumption":4.5})"));
    EXPECT_EQ(records[3]["type"], "profile_set_once");
    EXPECT_TRUE(records[3]["properties"].contains("kx_first_paid_date"));
    EXPECT_EQ(records[4]["type"], "profile_set");
    EXPECT_TRUE(records[4]["properties"].contains("kx_last_paid_date"));
}

TEST_F(TrackerFixture, StateFileValuesAreReadStrictly) {
    const std::string url = UnsentUrl();
    const struct {
        const char* isLogined;
        const char* primary;
        bool loggedIn;
        const char* expectedPrimary;
    } cases[] = {
        {"OK", "P-1", true, "P-1"},
        {"ok", "P-1", false, "P-1"},
        {"OK ", "", false, "D-1"},  // blanks are trimmed by the reader, quotes keep them
        {"NG", "", false, "D-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.isLogined);
        std::filesystem::remove_all(dir / "data");
        std::filesystem::create_directories(dir / "data" / "KXLocal" / kAppName);
        testing_support::WriteFile(
            StateFile(), std::string("[Base]\nDistinctId=D-1\nPrimaryDistinctId=") + c.primary +
                             "\nUserId=u\nURL=" + url + "\nisLogined=\"" + c.isLogined + "\"\n");
        auto tracker = Start(url);
        EXPECT_EQ(tracker->state().loggedIn, c.loggedIn);
        EXPECT_EQ(tracker->getPrimaryDistinctId(), c.expectedPrimary);
        EXPECT_EQ(tracker->state().distinctId, "D-1");
    }
}

// The installer's settings file beside the executable may name the state file.
TEST_F(TrackerFixture, SettingsFileNamesTheStateFile) {
    const auto named = dir / "product" / "data" / "KXAnalytics.ini";
    testing_support::WriteFile(dir / "Set.ini",
                               "[Install]\nKXAnalyticsIni=" + sdk_tests::Utf8Path(named) + "\n");
    auto tracker = Start(UnsentUrl());
    EXPECT_EQ(ReadIni(sdk_tests::Utf8Path(named), L"Base", L"DistinctId"),
              tracker->state().distinctId);
    EXPECT_FALSE(std::filesystem::exists(StateFile()));
}

// The name suffix comes from the command line; it cannot move the tracker's
// files out of its folder.
TEST_F(TrackerFixture, TheApplicationNameStaysOneFolderName) {
    TrackerConfig config = Config(UnsentUrl());
    config.appName = "Quillmark/../../escaped";
    UsageTrackerImpl tracker(config, Paths());
    tracker.Init();
    const auto folder = dir / "data" / "KXLocal" / "Quillmark_.._.._escaped";
    EXPECT_TRUE(std::filesystem::exists(folder / "Quillmark_.._.._escaped_KXSConfigure.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir / "escaped"));
}

TEST_F(TrackerFixture, AnUncreatableFolderStillLetsInitFinish) {
    testing_support::WriteFile(dir / "data", "a file where the folder should be");
    auto tracker = Start(UnsentUrl());
    EXPECT_FALSE(tracker->state().distinctId.empty());
    tracker->trackClick(ClickNamed("x"), kNoContext);
}

}  // namespace
}  // namespace tracker_tests
