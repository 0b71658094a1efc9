#include "analytics/tracker/NativeUserTracker.h"

#include <unordered_map>

#include "analytics/sdk/Sdk.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/TrackerTime.h"

namespace varen::tracking {
namespace {

using Operation = NativeUserTracker::Operation;
using telemetry::PropertiesNode;
using telemetry::Sdk;

const std::unordered_map<std::string, Operation>& PropertyTable() {
    static const std::unordered_map<std::string, Operation> table = [] {
        std::unordered_map<std::string, Operation> t;
        for (const char* key : {"kx_label",
                                "kx_os",
                                "kx_os_version",
                                "kx_manufacturer",
                                "kx_model",
                                "kx_app_store",
                                "kx_app_platform",
                                "kx_last_app_id",
                                "kx_last_app_version",
                                "kx_carrier",
                                "kx_last_visit_date",
                                "aurora_pushid",
                                "kx_user_id",
                                "kx_user_name",
                                "kx_user_type",
                                "kx_user_nickname",
                                "kx_user_portrait",
                                "kx_user_mobilephone",
                                "kx_user_email",
                                "kx_user_weixin",
                                "kx_user_qq",
                                "kx_user_did",
                                "kx_user_created",
                                "kx_user_last_login",
                                "kx_user_last_ip",
                                "kx_user_vip_level",
                                "kx_user_vip_enddate",
                                "idfa",
                                "imei",
                                "android_id",
                                "oaid",
                                "kx_ip",
                                "kx_country_code",
                                "kx_country",
                                "kx_province",
                                "kx_city",
                                "kx_last_paid_date"}) {
            t.emplace(key, Operation::Set);
        }
        for (const char* key : {"$first_visit_time", "kx_first_visit_date", "$ios_install_source",
                                "kx_first_paid_date"}) {
            t.emplace(key, Operation::SetOnce);
        }
        for (const char* key : {"kx_visit_count", "kx_paid_count", "kx_consumption"}) {
            t.emplace(key, Operation::Increment);
        }
        return t;
    }();
    return table;
}

[[noreturn]] void Refuse(const std::string& message, const char* function) {
    throw KxException(message, kUserTrackerSource, function, __LINE__);
}

std::string CannotAccumulate(const std::string& key) {
    return "user property [" + key + "] is string type value, it cannot be accumulated!";
}

std::string CannotAppend(const std::string& key) {
    return "user property [" + key + "] is number value, it cannot be append to list!";
}

template <typename Number>
void ProfileNumber(const std::string& key, Number value, const char* function) {
    switch (NativeUserTracker::OperationOf(key, function)) {
        case Operation::Set:
            Sdk::ProfileSet(key, value);
            break;
        case Operation::SetOnce:
            Sdk::ProfileSetOnce(key, value);
            break;
        case Operation::Increment:
            if constexpr (std::is_same_v<Number, double>) {
                PropertiesNode node;
                node.SetNumber(key, value);
                Sdk::ProfileIncrement(node);
            } else {
                Sdk::ProfileIncrement(key, value);
            }
            break;
        case Operation::Append:
            Refuse(CannotAppend(key), function);
    }
}

}  // namespace

NativeUserTracker::Operation NativeUserTracker::OperationOf(const std::string& key,
                                                            const char* function) {
    const auto& table = PropertyTable();
    const auto found = table.find(key);
    if (found == table.end()) Refuse("Not supported user property [" + key + "]!", function);
    return found->second;
}

void NativeUserTracker::ProfileUserPropertyString(const std::string& key,
                                                  const std::string& value) {
    const char* function = "ProfileUserPropertyString";
    switch (OperationOf(key, function)) {
        case Operation::Set:
            Sdk::ProfileSet(key, value);
            break;
        case Operation::SetOnce:
            Sdk::ProfileSetOnce(key, value);
            break;
        case Operation::Increment:
            Refuse(CannotAccumulate(key), function);
        case Operation::Append:
            Sdk::ProfileAppend(key, value);
            break;
    }
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& key, int32_t value) {
    ProfileNumber(key, value, "ProfileUserPropertyNumber");
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& key, double value) {
    ProfileNumber(key, value, "ProfileUserPropertyNumber");
}

void NativeUserTracker::ProfileUserPropertyDateTime(const std::string& key, int64_t time) {
    const char* function = "ProfileUserPropertyDateTime";
    const SplitTime at = SplitTrackerTime(time);
    PropertiesNode node;
    node.SetDateTime(key, at.seconds, at.milliseconds);
    switch (OperationOf(key, function)) {
        case Operation::Set:
            Sdk::ProfileSet(node);
            break;
        case Operation::SetOnce:
            Sdk::ProfileSetOnce(node);
            break;
        case Operation::Increment:
            Refuse("user property [" + key + "] is date time value, it cannot be accumulated!",
                   function);
        case Operation::Append:
            Refuse("user property [" + key + "] is date time value, it cannot be append to list!",
                   function);
    }
}

}  // namespace varen::tracking
