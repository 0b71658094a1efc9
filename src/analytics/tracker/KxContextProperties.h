#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "analytics/sdk/PropertiesNode.h"
#include "analytics/tracker/KxEvents.h"

namespace varen::tracking {

// A time for a context property: seconds since 1970, or milliseconds when the
// number is too large to be seconds.
struct KxTime {
    int64_t value = 0;
};

// The caller's extra properties, each registered once and attached to the
// event types it names.
class KxContextProperties {
public:
    enum ValueType : int { kBool = 0, kTime = 1, kNumber = 2, kString = 3, kList = 4 };
    using Value = std::variant<bool, KxTime, double, std::string, std::vector<std::string>>;

    struct Entry {
        std::shared_ptr<const Value> value;
        ValueType type;
        std::string key;
    };
    using EntryList = std::vector<Entry>;

    KxContextProperties();

    // Registers the key and adds it to the list of each event type, in the
    // order given. A key registered before, or an event type of 15 or more,
    // raises KxException; what was added before the bad type stays.
    void setProperty(const std::string& key, const std::string& value,
                     std::initializer_list<int> eventTypes);
    void setProperty(const std::string& key, Value value, std::initializer_list<int> eventTypes);

    const EntryList& getEventProperties(int eventType) const;

    // False for the empty string; true for 1 to 3 characters of the form
    // [A-Z][A-Z0-9]{0,2}; anything else raises KxException naming the rule.
    static bool isValidABValue(const std::string& value);

private:
    std::unordered_map<std::string, std::shared_ptr<const Value>> registry_;
    std::array<EntryList, kEventTypeCount> lists_;
};

// Stores the event type's context properties into the event's properties, in
// list order; true when there was any.
bool MergeContextProperties(const KxContextProperties& context, int eventType,
                            telemetry::PropertiesNode& properties);

// The time as the local "YYYY-MM-DD hh:mm:ss.mmm" text.
std::string FormatContextTime(int64_t value);

}  // namespace varen::tracking
