#include "analytics/tracker/KxEnumTexts.h"

#include <initializer_list>
#include <string>

#include "analytics/tracker/KxException.h"

namespace varen::tracking {
namespace {

// texts[code], or the error "<prefix>[<code>]!".
const char* Lookup(int code, std::initializer_list<const char*> texts, const std::string& prefix,
                   const char* function) {
    if (code >= 0 && static_cast<size_t>(code) < texts.size()) return texts.begin()[code];
    throw KxException(prefix + "[" + std::to_string(code) + "]!", kImplSource, function, __LINE__);
}

}  // namespace

const char* EditionText(int edition) {
    return Lookup(edition, {"china", "overseas"}, "Unknown edition ", "getEditionText");
}

const char* UserTypeText(int userType) {
    return Lookup(userType,
                  {"unknown", "mobilephone", "email", "weixin", "qq", "deviceid", "baidu", "huawei",
                   "apple", "varenuserid", "google", "facebook"},
                  "Unknown user type ", "getUserTypeText");
}

const char* Text(KxResult result) {
    return Lookup(static_cast<int>(result), {"Success", "Cancelled", "Fail", "Unknown"},
                  "Unknown task result ", "getResultText");
}

const char* Text(ClickType type) {
    return Lookup(static_cast<int>(type), {"Button", "Banner", "Tutorial", "File", "Others"},
                  "Unknown ClickType ", "getClickTypeText");
}

const char* Text(KxIoType type) {
    const int code = static_cast<int>(type);
    if (code == 0) return "Input";
    if (code == 1) return "Output";
    throw KxException("the io type is invalid", kImplSource, "getIoTypeText", __LINE__);
}

const char* Text(KxCurrency currency) {
    return Lookup(static_cast<int>(currency),
                  {"CNY", "USD", "EUR", "HKD", "TWD", "MOP", "SGD", "JPY", "KRW", "INR", "GBP"},
                  "Unknown currency ", "getCurrencyText");
}

const char* Text(KxPaidPlatform platform) {
    return Lookup(static_cast<int>(platform),
                  {"Alipay", "WeChatPay", "PayPal", "Tenpay", "CIECC", "GooglePay", "HuaweiPay",
                   "AppleIAP", "Paddle", "ChinaUnionPay"},
                  "Unknown paid platform ", "getPaidPlatformText");
}

const char* Text(KxIapType type) {
    return Lookup(static_cast<int>(type),
                  {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"},
                  "Unknown kxIapType ", "getIapTypeText");
}

const char* Text(KxUpdateOp operation) {
    return Lookup(static_cast<int>(operation),
                  {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"},
                  "Unknown KxUpdateOp ", "getUpdateOpText");
}

const char* Text(KxUpdateResult result) {
    return Lookup(static_cast<int>(result),
                  {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"},
                  "Unknown KxUpdateResult ", "getUpdateResultText");
}

}  // namespace varen::tracking
