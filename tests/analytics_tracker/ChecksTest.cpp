// Every refused record: its message, and nothing recorded.
#include <functional>

#include "TrackerFixture.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/UsageTrackerWrapper.h"

namespace tracker_tests {
namespace {

using namespace varen::tracking;

const KxContextProperties kNoContext;

struct RefusalCase {
    std::function<void(UsageTrackerImpl&)> track;
    const char* message;
};

KxEventPayment Payment() {
    KxEventPayment e;
    e.orderId = "o";
    e.currency = KxCurrency::USD;
    e.paidPlatform = KxPaidPlatform::PayPal;
    e.result = KxResult::Success;
    return e;
}

KxEventOrder Order() {
    KxEventOrder e;
    e.suitId = "s";
    e.currency = KxCurrency::USD;
    e.originalAmount = 2;
    e.paidAmount = 1;
    return e;
}

template <typename Change>
KxEventPayment PaymentWith(Change change) {
    KxEventPayment e = Payment();
    change(e);
    return e;
}

template <typename Change>
KxEventOrder OrderWith(Change change) {
    KxEventOrder e = Order();
    change(e);
    return e;
}

const RefusalCase kRefusals[] = {
    {[](UsageTrackerImpl& t) { t.trackClick({}, kNoContext); }, "kxEventClick.name is empty"},
    {[](UsageTrackerImpl& t) {
         KxEventClick e;
         e.name = "n";
         e.clickType = static_cast<ClickType>(5);
         t.trackClick(e, kNoContext);
     },
     "Unknown ClickType [5]!"},
    {[](UsageTrackerImpl& t) {
         t.trackView({"a", "", "", ""}, kNoContext);
     },
     "kxEventView.name is empty"},
    {[](UsageTrackerImpl& t) {
         t.trackCashier({"", "t", ""}, kNoContext);
     },
     "kxEventCashier.kx_cashier_name is empty"},
    {[](UsageTrackerImpl& t) {
         t.trackShare({"", "", "", "", static_cast<KxResult>(4)}, kNoContext);
     },
     "Unknown task result [4]!"},
    {[](UsageTrackerImpl& t) {
         t.trackTask({"a", "", "r", 1.0f, KxResult::Success}, kNoContext);
     },
     "kxEventTask.name is empty"},
    {[](UsageTrackerImpl& t) { t.trackFile({}, kNoContext); }, "kxEventFile.aname is empty"},
    {[](UsageTrackerImpl& t) {
         KxEventFile e;
         e.aname = "a";
         e.ioType = static_cast<KxIoType>(2);
         t.trackFile(e, kNoContext);
     },
     "the io type is invalid"},
    {[](UsageTrackerImpl& t) {
         t.trackOrder(OrderWith([](auto& e) { e.suitId.clear(); }), kNoContext);
     },
     "kxEventOrder.kxSuitId is empty"},
    {[](UsageTrackerImpl& t) {
         t.trackOrder(OrderWith([](auto& e) { e.currency.reset(); }), kNoContext);
     },
     "kxEventOrder.kxCurrency is nullptr"},
    {[](UsageTrackerImpl& t) {
         t.trackOrder(OrderWith([](auto& e) { e.originalAmount = 0; }), kNoContext);
     },
     "kxEventOrder.originalAmount is less than zero"},
    {[](UsageTrackerImpl& t) {
         t.trackOrder(OrderWith([](auto& e) { e.paidAmount = 0; }), kNoContext);
     },
     "kxEventOrder.paidAmount is less than zero"},
    {[](UsageTrackerImpl& t) {
         t.trackOrder(OrderWith([](auto& e) { e.currency = static_cast<KxCurrency>(11); }),
                      kNoContext);
     },
     "Unknown currency [11]!"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.orderId.clear(); }), kNoContext);
     },
     "kxEventPayment.kxOrderId is empty"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.paidAmount = -1; }), kNoContext);
     },
     "paidAmount = -1.000000 is invalid"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.originalAmount = -0.5f; }), kNoContext);
     },
     "originalAmount = -0.500000 is invalid"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.result = KxResult::Cancelled; }), kNoContext);
     },
     "kxEventPayment.result is invalid"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.result.reset(); }), kNoContext);
     },
     "kxEventPayment.result is invalid"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(PaymentWith([](auto& e) { e.iapType = static_cast<KxIapType>(9); }),
                        kNoContext);
     },
     "Unknown kxIapType [9]!"},
    {[](UsageTrackerImpl& t) {
         t.trackPayment(
             PaymentWith([](auto& e) { e.paidPlatform = static_cast<KxPaidPlatform>(10); }),
             kNoContext);
     },
     "Unknown paid platform [10]!"},
    {[](UsageTrackerImpl& t) {
         t.trackUpdate({static_cast<KxUpdateOp>(5), KxUpdateResult::Success, 1.0f}, kNoContext);
     },
     "Unknown KxUpdateOp [5]!"},
    {[](UsageTrackerImpl& t) {
         t.trackUpdate({KxUpdateOp::DownloadEnd, std::nullopt, 1.0f}, kNoContext);
     },
     "Unknown updateResultInfo info"},
    {[](UsageTrackerImpl& t) {
         t.trackUpdate({KxUpdateOp::UpgrateEnd, KxUpdateResult::Success, std::nullopt}, kNoContext);
     },
     "invalid elapsed info"},
    {[](UsageTrackerImpl& t) {
         t.trackUpdate({KxUpdateOp::UpdateCheck, static_cast<KxUpdateResult>(6), 1.0f}, kNoContext);
     },
     "Unknown KxUpdateResult [6]!"},
    {[](UsageTrackerImpl& t) { t.trackAppOpenNotification(nullptr, kNoContext); },
     "&appOpenNotification is nullptr"},
    {[](UsageTrackerImpl& t) {
         KxAppOpenNotification n{"t", "", "", "", "", "", "type", ""};
         t.trackAppOpenNotification(&n, kNoContext);
     },
     "planID is emptry"},
    {[](UsageTrackerImpl& t) {
         KxAppOpenNotification n{"t", "", "", "plan", "", "", "", ""};
         t.trackAppOpenNotification(&n, kNoContext);
     },
     "planType is emptry"},
    {[](UsageTrackerImpl& t) {
         KxAppOpenNotification n{"", "", "", "plan", "", "", "type", ""};
         t.trackAppOpenNotification(&n, kNoContext);
     },
     "msgTitle is emptry"},
    {[](UsageTrackerImpl& t) {
         KxUserInfo user;
         user.userId = "u";
         user.userType = 12;
         t.trackLogin(user, true, "", kNoContext);
     },
     "Unknown user type [12]!"},
};

TEST_F(TrackerFixture, RefusedRecordsRaiseTheirMessageAndRecordNothing) {
    auto tracker = Start(UnsentUrl());
    for (const auto& c : kRefusals) {
        try {
            c.track(*tracker);
            ADD_FAILURE() << "accepted, expected: " << c.message;
        } catch (const KxException& e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(e.file(), "source\\src\\UsageTrackerImpl");
        }
    }
    EXPECT_TRUE(OfType(Finish(tracker), "track").empty());
}

TEST_F(TrackerFixture, InitRefusesAMissingIdentityPart) {
    const std::pair<void (*)(TrackerConfig&), const char*> cases[] = {
        {[](TrackerConfig& c) { c.appName.clear(); }, "appName is empty"},
        {[](TrackerConfig& c) { c.appVersion.clear(); }, "appVersion is empty"},
        {[](TrackerConfig& c) { c.appStore.clear(); }, "appStore is empty"},
        {[](TrackerConfig& c) { c.edition = 2; }, "Unknown edition [2]!"},
    };
    for (const auto& [change, message] : cases) {
        TrackerConfig config = Config(UnsentUrl());
        change(config);
        UsageTrackerImpl tracker(config, Paths());
        try {
            tracker.Init();
            ADD_FAILURE() << "accepted, expected: " << message;
        } catch (const KxException& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

// The wrapper keeps every error inside; it says so on standard output only
// when the tracker got as far as its logger.
TEST_F(TrackerFixture, WrapperGuardsEveryCall) {
    {
        auto impl = std::make_unique<UsageTrackerImpl>(Config(UnsentUrl()), Paths());
        impl->Init();
        UsageTrackerWrapper wrapper(std::move(impl));
        testing::internal::CaptureStdout();
        wrapper.trackClick({}, kNoContext);
        wrapper.trackTask({}, kNoContext);
        wrapper.trackAppOpenNotification(nullptr, kNoContext);
        KxUserInfo user;
        user.userId = "u";
        user.userType = 99;
        wrapper.trackLogin(user, true, "", kNoContext);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Failed to trackClick\nFailed to trackTask\nFailed to trackAppOpenNotification\n"
                  "Failed to trackLogin\n");
        EXPECT_EQ(wrapper.getTrackLogger(), nullptr);
        EXPECT_FALSE(wrapper.getPrimaryDistinctId().empty());
    }
    {
        TrackerConfig config = Config(UnsentUrl());
        config.appName.clear();
        auto impl = std::make_unique<UsageTrackerImpl>(config, Paths());
        EXPECT_THROW(impl->Init(), KxException);
        UsageTrackerWrapper wrapper(std::move(impl));
        testing::internal::CaptureStdout();
        wrapper.trackClick({}, kNoContext);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
    UsageTrackerWrapper empty(nullptr);
    empty.trackClick({}, kNoContext);
    EXPECT_EQ(empty.getPrimaryDistinctId(), "");
}

}  // namespace
}  // namespace tracker_tests
