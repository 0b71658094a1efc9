// Each operation of the catalogue: a record in, the exact properties out, as
// the SDK wrote them.
#include <functional>

#include "TrackerFixture.h"
#include "analytics/sdk/Checks.h"
#include "analytics/tracker/EnsureUtf8.h"
#include "analytics/tracker/KxContextProperties.h"

namespace tracker_tests {
namespace {

using namespace varen::tracking;

struct CatalogueCase {
    const char* label;
    std::function<void(UsageTrackerImpl&, const KxContextProperties&)> track;
    const char* eventName;
    const char* expected;  // JSON of the event's own properties
};

// A context that names one of the event's own keys for every event type.
KxContextProperties ContextFor(const char* key) {
    KxContextProperties context;
    context.setProperty(
        key, std::string("from context"),
        {kEventActivity, kEventLaunch, kEventLogin, kEventClick, kEventView, kEventCashier,
         kEventShare, kEventTask, kEventFile, kEventOrder, kEventPayment, kEventUninstall,
         kEventUpdate, kEventCrash, kEventAppOpenNotification});
    return context;
}

const CatalogueCase kCatalogue[] = {
    {"click",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxEventClick e;
         e.name = "立即安装";
         e.clickType = ClickType::Button;
         e.title = "tab";
         e.tabIndex = 3;
         e.bannerName = "banner";
         t.trackClick(e, c);
     },
     "KxEventClick",
     R"({"kx_name":"立即安装","kx_click_type":"Button","kx_title":"tab","kx_tab_index":3,
         "kx_banner_name":"banner","$is_first_time":true,"ctx":"from context"})"},
    {"click defaults to Others",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxEventClick e;
         e.name = "n";
         e.bannerIndex = -1;
         t.trackClick(e, c);
     },
     "KxEventClick",
     R"({"kx_name":"n","kx_click_type":"Others","kx_banner_index":-1,"$is_first_time":true,
         "ctx":"from context"})"},
    {"view",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackView({"a", "安装中", "", "p"}, c);
     },
     "KxEventView",
     R"({"kx_name":"安装中","kx_aname":"a","kx_position":"p","$is_first_time":true,
         "ctx":"from context"})"},
    {"cashier",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackCashier({"c", "", "s"}, c);
     },
     "KxEventCashier",
     R"({"kx_cashier_name":"c","kx_subitem":"s","$is_first_time":true,"ctx":"from context"})"},
    {"share with result Unknown",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackShare({"", "wx", "", "doc", KxResult::Unknown}, c);
     },
     "KxEventShare",
     R"({"kx_channel":"wx","kx_shared_name":"doc","kx_result":"Unknown","$is_first_time":true,
         "ctx":"from context"})"},
    {"task",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackTask({"", "下载器启动", "why", 2.5f, KxResult::Fail}, c);
     },
     "KxEventTask",
     R"({"kx_task_name":"下载器启动","kx_task_elapsed":2.5,"kx_task_result":"Fail",
         "kx_reason":"why","$is_first_time":true,"ctx":"from context"})"},
    {"task with result Unknown has no result",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackTask({"x", "n", "", std::nullopt, KxResult::Unknown}, c);
     },
     "KxEventTask",
     R"({"kx_task_name":"n","kx_aname":"x","$is_first_time":true,"ctx":"from context"})"},
    {"file",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxEventFile e;
         e.aname = "open";
         e.ioType = KxIoType::Output;
         e.ext = "pdf";
         e.size = 0.0f;  // not above 0: left out
         e.duration = 7;
         e.fps = 29.5f;
         e.width = 640;
         e.result = KxResult::Success;
         t.trackFile(e, c);
     },
     "KxEventFile",
     R"({"kx_aname":"open","kx_io":"Output","kx_result":"Success","kx_ext":"pdf",
         "kx_duration":7,"kx_fps":29.5,"kx_width":640,"$is_first_time":true,
         "ctx":"from context"})"},
    {"order",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxEventOrder e;
         e.suitId = "suit";
         e.currency = KxCurrency::GBP;
         e.originalAmount = 9.5f;
         e.paidAmount = 8.5f;
         e.campaignCode = 12;
         e.currentPaidAmount = 1.5f;
         e.cashierTitle = "ct";
         t.trackOrder(e, c);
     },
     "KxEventOrder",
     R"({"kx_suit_id":"suit","kx_currency":"GBP","kx_paid_amount":8.5,
         "kx_original_amount":9.5,"$is_first_time":true,"kx_campaign_code":12,
         "kx_cur_paid_amount":1.5,"kx_cashier_title":"ct","ctx":"from context"})"},
    {"payment of 0 is accepted",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxEventPayment e;
         e.orderId = "o1";
         e.currency = KxCurrency::CNY;
         e.paidPlatform = KxPaidPlatform::ChinaUnionPay;
         e.result = KxResult::Fail;
         e.iapType = KxIapType::NonRenewable;
         e.usedVoucherId = "v";
         t.trackPayment(e, c);
     },
     "KxEventPayment",
     R"({"kx_order_id":"o1","kx_paid_platform":"ChinaUnionPay","kx_currency":"CNY",
         "kx_paid_amount":0,"kx_original_amount":0,"kx_result":"Fail","$is_first_time":true,
         "kx_iap_type":"NonRenewable","kx_used_voucher_id":"v","ctx":"from context"})"},
    {"uninstall",
     [](UsageTrackerImpl& t, const KxContextProperties& c) { t.trackUninstall("slow", c); },
     "KxEventUninstall", R"({"kx_uninstall_reason":"slow","ctx":"from context"})"},
    {"crash carries no context",
     [](UsageTrackerImpl& t, const KxContextProperties&) { t.trackCrash("崩溃"); }, "AppCrashed",
     R"({"app_crashed_reason":"崩溃"})"},
    {"update check without result",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackUpdate({KxUpdateOp::UpdateCheck, std::nullopt, std::nullopt}, c);
     },
     "KxEventUpdate",
     R"({"kx_update_op":"UpdateCheck","kx_update_result":"","ctx":"from context"})"},
    {"upgrade end",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackUpdate({KxUpdateOp::UpgrateEnd, KxUpdateResult::Latest, 0.5f}, c);
     },
     "KxEventUpdate",
     R"({"kx_update_op":"UpgrateEnd","kx_update_result":"Latest","$is_first_time":true,
         "kx_elapsed":0.5,"ctx":"from context"})"},
    {"download start",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         t.trackUpdate({KxUpdateOp::DownloadStart, KxUpdateResult::Fail, 1.0f}, c);
     },
     "KxEventUpdate", R"({"kx_update_op":"DownloadStart","ctx":"from context"})"},
    {"notification",
     [](UsageTrackerImpl& t, const KxContextProperties& c) {
         KxAppOpenNotification n{"title", "", "https://x.example/", "plan", "", "", "type", "u1"};
         t.trackAppOpenNotification(&n, c);
     },
     "AppOpenNotification",
     R"({"$sf_msg_title":"title","$sf_plan_id":"plan","$sf_plan_type":"type",
         "$is_first_time":true,"$sf_link_url":"https://x.example/","$sf_strategy_unit_id":"u1",
         "ctx":"from context"})"},
    {"launch is its context alone",
     [](UsageTrackerImpl& t, const KxContextProperties& c) { t.trackLaunch(c); }, "KxEventLaunch",
     R"({"ctx":"from context"})"},
};

TEST_F(TrackerFixture, EveryOperationStoresItsOwnProperties) {
    const KxContextProperties context = ContextFor("ctx");
    for (const auto& c : kCatalogue) {
        SCOPED_TRACE(c.label);
        auto tracker = Start(UnsentUrl());
        c.track(*tracker, context);
        const auto events = OfType(Finish(tracker), "track");
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0]["event"], c.eventName);
        ExpectOwnProperties(events[0]["properties"], json::parse(c.expected));
        std::filesystem::remove_all(dir / "data");
    }
}

// A context property of an event's own name replaces the event's value;
// only the activity sets its own keys after the context.
TEST_F(TrackerFixture, ContextPropertiesOverrideExceptInTheActivity) {
    auto tracker = Start(UnsentUrl());
    tracker->trackClick(ClickNamed("mine"), ContextFor("kx_name"));
    tracker->trackActivity(ContextFor("kx_app_id"));
    const auto events = OfType(Finish(tracker), "track");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["properties"]["kx_name"], "from context");
    EXPECT_EQ(events[1]["properties"]["kx_app_id"], kAppName);
}

// Text in the ANSI code page is converted rather than refused by the SDK;
// identifiers are stored as given, so a broken one is left out.
TEST_F(TrackerFixture, RecordTextIsMadeUtf8) {
    EXPECT_EQ(EnsureUtf8(""), "");
    EXPECT_EQ(EnsureUtf8("安装中"), "安装中");
    const std::string ansi = "caf\xE9";
    const std::string converted = EnsureUtf8(ansi);
    EXPECT_NE(converted, ansi);
    EXPECT_TRUE(telemetry::checks::IsAcceptedUtf8(converted)) << converted;

    auto tracker = Start(UnsentUrl());
    tracker->trackView({"", ansi, "", ""}, KxContextProperties());
    KxAppOpenNotification n{ansi, "", "", "plan", ansi, "", "type", ""};
    tracker->trackAppOpenNotification(&n, KxContextProperties());
    const auto events = OfType(Finish(tracker), "track");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["properties"]["kx_name"], converted);
    EXPECT_EQ(events[1]["properties"]["$sf_msg_title"], converted);
    EXPECT_FALSE(events[1]["properties"].contains("$sf_audience_id"));
}

TEST_F(TrackerFixture, ActivityAndItsProfileUpdates) {
    auto tracker = Start(UnsentUrl());
    tracker->trackActivity(KxContextProperties());
    const auto records = Finish(tracker);
    const auto events = OfType(records, "track");
    ASSERT_EQ(events.size(), 1u);
    const json& p = events[0]["properties"];
    EXPECT_EQ(events[0]["event"], "KxEventActivity");
    EXPECT_EQ(p["$ios_install_source"], "android_id=123##imei=1234##mac=123");
    EXPECT_EQ(p["$is_first_time"], true);
    EXPECT_EQ(p["kx_app_store"], "QuillmarkSetup.exe");
    EXPECT_EQ(p["$app_id"], kAppName);
    EXPECT_EQ(p["$app_version"], "1.7.9");
    const std::string agent = p["$user_agent"];
    EXPECT_EQ(agent.rfind("Mozilla/5.0(" + p["$os"].get<std::string>() + " ", 0), 0u) << agent;

    // First-visit dates are set once, so the collector keeps the first one.
    std::map<std::string, std::string> operations;
    for (const auto& record : records) {
        if (record["type"] == "track") continue;
        EXPECT_FALSE(record["properties"].contains("$lib")) << record.dump();
        for (const auto& [key, value] : record["properties"].items()) {
            operations[key] = record["type"];
        }
    }
    const std::map<std::string, std::string> expected = {
        {"$first_visit_time", "profile_set_once"}, {"kx_first_visit_date", "profile_set_once"},
        {"kx_last_visit_date", "profile_set"},     {"kx_os", "profile_set"},
        {"kx_os_version", "profile_set"},          {"kx_app_store", "profile_set"},
        {"kx_app_platform", "profile_set"},        {"kx_last_app_id", "profile_set"},
        {"kx_last_app_version", "profile_set"},    {"$ios_install_source", "profile_set_once"}};
    EXPECT_EQ(operations, expected);
}

TEST_F(TrackerFixture, SuperPropertiesOnEveryEvent) {
    auto config = Config(UnsentUrl());
    config.dlAppVersion = "2.0";
    config.edition = 1;
    auto tracker = std::make_unique<UsageTrackerImpl>(config, Paths());
    tracker->Init();
    tracker->refreshLocaleProperties("pt_BR");
    tracker->trackUninstall("", KxContextProperties());
    const auto events = OfType(Finish(tracker), "track");
    ASSERT_EQ(events.size(), 1u);
    const json& p = events[0]["properties"];
    EXPECT_EQ(p["kx_app_id"], kAppName);
    EXPECT_EQ(p["kx_edition"], "overseas");
    EXPECT_EQ(p["kx_dlapp_id"], "Quillmark");
    EXPECT_EQ(p["kx_dlapp_version"], "2.0");
    EXPECT_EQ(p["kx_app_platform"], "Windows");
    EXPECT_EQ(p["kx_track_type"], "Client");
    EXPECT_EQ(p["kx_sdk_version"], "3.3.8");
    EXPECT_EQ(p["kx_sdk"], "WindowsCPP");
    EXPECT_EQ(p["kx_l10n_locale"], "pt_BR");
    EXPECT_EQ(p["kx_l10n_language"], "pt");
    EXPECT_EQ(p["kx_l10n_country"], "BR");
    EXPECT_TRUE(p["$screen_width"].is_number_integer());
    EXPECT_FALSE(p.contains("kx_user_id"));
    EXPECT_FALSE(p.contains("kx_uninstall_reason"));
}

}  // namespace
}  // namespace tracker_tests
