#include "analytics/tracker/EventCatalogue.h"

#include <string>

#include "analytics/tracker/EnsureUtf8.h"
#include "analytics/tracker/KxEnumTexts.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/KxPropertyKeys.h"

namespace varen::tracking {
namespace {

using telemetry::PropertiesNode;

[[noreturn]] void Refuse(const std::string& message, const char* function) {
    throw KxException(message, kImplSource, function, __LINE__);
}

// Stores the normalised text when it is not empty.
void SetIfSet(PropertiesNode& node, const char* key, const std::string& text) {
    if (!text.empty()) node.SetString(key, EnsureUtf8(text));
}
// Identifiers that are stored exactly as given.
void SetRawIfSet(PropertiesNode& node, const char* key, const std::string& text) {
    if (!text.empty()) node.SetString(key, text);
}
void SetIfSet(PropertiesNode& node, const char* key, const std::optional<int32_t>& value) {
    if (value) node.SetInt(key, *value);
}
void SetIfSet(PropertiesNode& node, const char* key, const std::optional<float>& value) {
    if (value) node.SetNumber(key, *value);
}
void SetIfPositive(PropertiesNode& node, const char* key, float value) {
    if (value > 0) node.SetNumber(key, value);
}
// Only the outcomes a task or file can have: success, cancelled, failed.
void SetOutcome(PropertiesNode& node, const char* key, const std::optional<KxResult>& result) {
    const int code = result ? static_cast<int>(*result) : -1;
    if (code >= 0 && code <= 2) node.SetString(key, Text(*result));
}
void SetFirstTime(PropertiesNode& node) {
    node.SetBool(keys::kIsFirstTime, true);
}

// The amount as the C++ library's decimal conversion writes it (-1.000000).
std::string AmountText(float amount) {
    return std::to_string(amount);
}

}  // namespace

PropertiesNode ClickProperties(const KxEventClick& event) {
    if (event.name.empty()) Refuse("kxEventClick.name is empty", "trackClick");
    PropertiesNode node;
    node.SetString("kx_name", EnsureUtf8(event.name));
    node.SetString("kx_click_type", Text(event.clickType));
    SetIfSet(node, "kx_aname", event.aname);
    SetIfSet(node, "kx_title", event.title);
    SetIfSet(node, "kx_position", event.position);
    SetIfSet(node, "kx_module", event.module);
    SetIfSet(node, "kx_tab_name", event.tabName);
    SetIfSet(node, "kx_tab_index", event.tabIndex);
    SetIfSet(node, "kx_banner_name", event.bannerName);
    SetIfSet(node, "kx_banner_index", event.bannerIndex);
    SetFirstTime(node);
    return node;
}

PropertiesNode ViewProperties(const KxEventView& event) {
    if (event.name.empty()) Refuse("kxEventView.name is empty", "trackView");
    PropertiesNode node;
    node.SetString("kx_name", EnsureUtf8(event.name));
    SetIfSet(node, "kx_aname", event.aname);
    SetIfSet(node, "kx_title", event.title);
    SetIfSet(node, "kx_position", event.position);
    SetFirstTime(node);
    return node;
}

PropertiesNode CashierProperties(const KxEventCashier& event) {
    if (event.cashierName.empty()) {
        Refuse("kxEventCashier.kx_cashier_name is empty", "trackCashier");
    }
    PropertiesNode node;
    node.SetString("kx_cashier_name", EnsureUtf8(event.cashierName));
    SetIfSet(node, "kx_cashier_title", event.cashierTitle);
    SetIfSet(node, "kx_subitem", event.subitem);
    SetFirstTime(node);
    return node;
}

PropertiesNode ShareProperties(const KxEventShare& event) {
    PropertiesNode node;
    SetIfSet(node, "kx_aname", event.aname);
    SetIfSet(node, "kx_channel", event.channel);
    SetIfSet(node, "kx_position", event.position);
    SetIfSet(node, "kx_shared_name", event.sharedName);
    if (event.result) node.SetString("kx_result", Text(*event.result));
    SetFirstTime(node);
    return node;
}

PropertiesNode TaskProperties(const KxEventTask& event) {
    if (event.name.empty()) Refuse("kxEventTask.name is empty", "trackTask");
    PropertiesNode node;
    node.SetString("kx_task_name", EnsureUtf8(event.name));
    SetIfSet(node, "kx_task_elapsed", event.elapsed);
    SetOutcome(node, "kx_task_result", event.result);
    SetIfSet(node, "kx_aname", event.aname);
    SetIfSet(node, "kx_reason", event.reason);
    SetFirstTime(node);
    return node;
}

PropertiesNode FileProperties(const KxEventFile& event) {
    if (event.aname.empty()) Refuse("kxEventFile.aname is empty", "trackFile");
    PropertiesNode node;
    node.SetString("kx_aname", EnsureUtf8(event.aname));
    if (event.ioType) node.SetString("kx_io", Text(*event.ioType));
    SetOutcome(node, "kx_result", event.result);
    SetIfSet(node, "kx_name", event.name);
    SetIfSet(node, "kx_ext", event.ext);
    if (event.size && *event.size > 0) node.SetNumber("kx_size", *event.size);
    SetIfSet(node, "kx_duration", event.duration);
    SetIfSet(node, "kx_fps", event.fps);
    SetIfSet(node, "kx_bps", event.bps);
    SetIfSet(node, "kx_width", event.width);
    SetIfSet(node, "kx_height", event.height);
    SetIfSet(node, "kx_depth", event.depth);
    SetFirstTime(node);
    return node;
}

PropertiesNode OrderProperties(const KxEventOrder& event) {
    const char* function = "trackOrder";
    if (event.suitId.empty()) Refuse("kxEventOrder.kxSuitId is empty", function);
    if (!event.currency) Refuse("kxEventOrder.kxCurrency is nullptr", function);
    // "Not above 0" also refuses a NaN amount.
    if (!(event.originalAmount > 0)) {
        Refuse("kxEventOrder.originalAmount is less than zero", function);
    }
    if (!(event.paidAmount > 0)) Refuse("kxEventOrder.paidAmount is less than zero", function);
    PropertiesNode node;
    node.SetString("kx_suit_id", EnsureUtf8(event.suitId));
    node.SetString("kx_currency", Text(*event.currency));
    node.SetNumber("kx_paid_amount", event.paidAmount);
    node.SetNumber("kx_original_amount", event.originalAmount);
    SetFirstTime(node);
    SetIfSet(node, "kx_order_id", event.orderId);
    SetIfSet(node, "kx_subitem", event.subitem);
    SetIfSet(node, "kx_sku", event.sku);
    SetIfSet(node, "kx_campaign_code", event.campaignCode);
    SetIfSet(node, "kx_voucher_id", event.voucherId);
    SetIfPositive(node, "kx_cur_original_amount", event.currentOriginalAmount);
    SetIfPositive(node, "kx_cur_paid_amount", event.currentPaidAmount);
    SetIfSet(node, "kx_cashier_name", event.cashierName);
    SetIfSet(node, "kx_cashier_title", event.cashierTitle);
    return node;
}

PropertiesNode PaymentProperties(const KxEventPayment& event) {
    const char* function = "trackPayment";
    if (event.orderId.empty()) Refuse("kxEventPayment.kxOrderId is empty", function);
    // A NaN amount is no amount either.
    if (!(event.paidAmount >= 0)) {
        Refuse("paidAmount = " + AmountText(event.paidAmount) + " is invalid", function);
    }
    if (!(event.originalAmount >= 0)) {
        Refuse("originalAmount = " + AmountText(event.originalAmount) + " is invalid", function);
    }
    if (!event.result || (*event.result != KxResult::Success && *event.result != KxResult::Fail)) {
        Refuse("kxEventPayment.result is invalid", function);
    }
    if (!event.currency) Refuse("kxEventPayment.kxCurrency is nullptr", function);
    if (!event.paidPlatform) Refuse("kxEventPayment.kxPaidPlatform is nullptr", function);
    PropertiesNode node;
    node.SetString("kx_order_id", EnsureUtf8(event.orderId));
    node.SetString("kx_paid_platform", Text(*event.paidPlatform));
    node.SetString("kx_currency", Text(*event.currency));
    node.SetNumber("kx_paid_amount", event.paidAmount);
    node.SetNumber("kx_original_amount", event.originalAmount);
    node.SetString("kx_result", Text(*event.result));
    SetFirstTime(node);
    SetIfSet(node, "kx_suit_id", event.suitId);
    if (event.iapType) node.SetString("kx_iap_type", Text(*event.iapType));
    SetIfSet(node, "kx_subitem", event.subitem);
    SetIfSet(node, "kx_sku", event.sku);
    SetIfSet(node, "kx_voucher_id", event.voucherId);
    SetIfSet(node, "kx_used_voucher_id", event.usedVoucherId);
    SetIfSet(node, "kx_campaign_code", event.campaignCode);
    SetIfPositive(node, "kx_cur_original_amount", event.currentOriginalAmount);
    SetIfPositive(node, "kx_cur_paid_amount", event.currentPaidAmount);
    SetIfSet(node, "kx_cashier_name", event.cashierName);
    SetIfSet(node, "kx_cashier_title", event.cashierTitle);
    return node;
}

PropertiesNode UpdateProperties(const KxEventUpdate& event) {
    const char* function = "trackUpdate";
    const std::string operation = Text(event.operation);
    const std::string result = event.result ? Text(*event.result) : "";
    const bool ending =
        event.operation == KxUpdateOp::DownloadEnd || event.operation == KxUpdateOp::UpgrateEnd;
    if (ending && result.empty()) Refuse("Unknown updateResultInfo info", function);
    if (ending && !event.elapsed) Refuse("invalid elapsed info", function);
    PropertiesNode node;
    node.SetString("kx_update_op", operation);
    if (event.operation == KxUpdateOp::UpdateCheck || ending) {
        node.SetString("kx_update_result", result);
    }
    if (event.operation == KxUpdateOp::UpgrateEnd) SetFirstTime(node);
    if (ending) node.SetNumber("kx_elapsed", *event.elapsed);
    return node;
}

PropertiesNode NotificationProperties(const KxAppOpenNotification* notification) {
    const char* function = "trackAppOpenNotification";
    if (!notification) Refuse("&appOpenNotification is nullptr", function);
    const KxAppOpenNotification& n = *notification;
    if (n.planId.empty()) Refuse("planID is emptry", function);
    if (n.planType.empty()) Refuse("planType is emptry", function);
    if (n.msgTitle.empty()) Refuse("msgTitle is emptry", function);
    PropertiesNode node;
    node.SetString("$sf_msg_title", EnsureUtf8(n.msgTitle));
    node.SetString("$sf_plan_id", n.planId);
    node.SetString("$sf_plan_type", n.planType);
    SetFirstTime(node);
    SetIfSet(node, "$sf_msg_content", n.msgContent);
    SetRawIfSet(node, "$sf_link_url", n.linkUrl);
    SetRawIfSet(node, "$sf_audience_id", n.audienceId);
    SetRawIfSet(node, "$sf_plan_strategy_id", n.planStrategyId);
    SetRawIfSet(node, "$sf_strategy_unit_id", n.strategyUnitId);
    return node;
}

}  // namespace varen::tracking
