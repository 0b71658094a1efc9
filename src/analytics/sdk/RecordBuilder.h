#pragma once
#include <optional>
#include <string>

#include "analytics/sdk/ObjectNode.h"
#include "analytics/sdk/PropertiesNode.h"

namespace telemetry {

struct RecordRequest {
    std::string actionType;  // "track", "track_signup", "profile_set", ...
    std::string eventName;   // for the two track types
    const PropertiesNode* properties = nullptr;
    std::string distinctId;
    std::string originalId;  // for "track_signup"
};

// The identity and super properties the record is built against.
struct RecordContext {
    const PropertiesNode& superProperties;
    bool loggedIn = false;
};

// The record for one call, or nothing when a property, the event name or the
// original id fails its check (already reported).
std::optional<utils::ObjectNode> BuildRecord(const RecordRequest& request,
                                             const RecordContext& context);

// A 9-digit random record id with the clock's last four millisecond digits.
int32_t NewTrackId();

}  // namespace telemetry
