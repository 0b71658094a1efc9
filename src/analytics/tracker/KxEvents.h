#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace varen::tracking {

enum class KxResult : int { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 };
enum class ClickType : int { Button = 0, Banner = 1, Tutorial = 2, File = 3, Others = 4 };
enum class KxIoType : int { Input = 0, Output = 1 };
enum class KxCurrency : int { CNY, USD, EUR, HKD, TWD, MOP, SGD, JPY, KRW, INR, GBP };
enum class KxPaidPlatform : int {
    Alipay,
    WeChatPay,
    PayPal,
    Tenpay,
    CIECC,
    GooglePay,
    HuaweiPay,
    AppleIAP,
    Paddle,
    ChinaUnionPay
};
enum class KxIapType : int { Consumable, NonConsumable, AutoRenewable, NonRenewable };
enum class KxUpdateOp : int { UpdateCheck, DownloadStart, DownloadEnd, UpgrateStart, UpgrateEnd };
enum class KxUpdateResult : int { Success, Cancelled, Timeout, Fail, Latest, Updateable };

struct KxEventClick {
    std::string aname, name;
    ClickType clickType = ClickType::Others;
    std::string title, module, position;
    std::optional<int32_t> tabIndex;
    std::string tabName;
    std::optional<int32_t> bannerIndex;
    std::string bannerName;
};

struct KxEventView {
    std::string aname, name, title, position;
};

struct KxEventCashier {
    std::string cashierName, cashierTitle, subitem;
};

struct KxEventShare {
    std::string aname, channel, position, sharedName;
    std::optional<KxResult> result;
};

struct KxEventTask {
    std::string aname, name, reason;
    std::optional<float> elapsed;
    std::optional<KxResult> result;
};

struct KxEventFile {
    std::string aname, name;
    std::optional<KxIoType> ioType;
    std::string ext;
    std::optional<float> size;
    std::optional<int32_t> duration;
    std::optional<float> fps, bps;
    std::optional<int32_t> width, height, depth;
    std::optional<KxResult> result;
};

struct KxEventOrder {
    std::string orderId, subitem, sku, suitId;
    std::optional<KxCurrency> currency;
    float originalAmount = 0;
    std::string voucherId;
    float paidAmount = 0;
    std::string cashierName, cashierTitle;
    std::optional<int32_t> campaignCode;
    float currentOriginalAmount = 0;
    float currentPaidAmount = 0;
};

struct KxEventPayment {
    std::string orderId, subitem, sku;
    std::optional<KxCurrency> currency;
    float originalAmount = 0;
    std::optional<int32_t> campaignCode;
    std::string voucherId, usedVoucherId;
    float paidAmount = 0;
    std::string suitId, cashierName, cashierTitle;
    std::optional<KxPaidPlatform> paidPlatform;
    std::optional<KxResult> result;
    std::optional<KxIapType> iapType;
    float currentOriginalAmount = 0;
    float currentPaidAmount = 0;
};

struct KxEventUpdate {
    KxUpdateOp operation = KxUpdateOp::UpdateCheck;
    std::optional<KxUpdateResult> result;
    std::optional<float> elapsed;
};

struct KxAppOpenNotification {
    std::string msgTitle, msgContent, linkUrl, planId, audienceId, planStrategyId, planType,
        strategyUnitId;
};

struct KxUserInfo {
    std::string userId, userName;
    int userType = 0;
    std::string nickname, portrait, mobilePhone, email, weixin, qq, deviceId;
    int64_t created = -1, lastLogin = -1;
    std::string lastIp;
    int vipLevel = 0;
    int64_t vipEndDate = -1;
};

// The numbers that index the per-event lists of the context properties.
enum KxEventType : int {
    kEventActivity = 0,
    kEventLaunch = 1,
    kEventLogin = 2,
    kEventClick = 3,
    kEventView = 4,
    kEventCashier = 5,
    kEventShare = 6,
    kEventTask = 7,
    kEventFile = 8,
    kEventOrder = 9,
    kEventPayment = 10,
    kEventUninstall = 11,
    kEventUpdate = 12,
    kEventCrash = 13,
    kEventAppOpenNotification = 14,
    kEventTypeCount = 15
};

}  // namespace varen::tracking
