#include "analytics/tracker/KxContextProperties.h"

#include <cstdio>

#include "analytics/sdk/Clock.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/TrackerTime.h"

namespace varen::tracking {
namespace {

std::string Overflow(int eventType) {
    return "KxEvent[" + std::to_string(eventType) + "] overflow!";
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsUpperOrDigit(char c) {
    return IsUpper(c) || (c >= '0' && c <= '9');
}

struct EntryWriter {
    const std::string& key;
    telemetry::PropertiesNode& node;

    void operator()(bool value) const { node.SetBool(key, value); }
    void operator()(KxTime time) const { node.SetString(key, FormatContextTime(time.value)); }
    void operator()(double value) const { node.SetNumber(key, value); }
    void operator()(const std::string& value) const { node.SetString(key, value); }
    void operator()(const std::vector<std::string>& items) const { node.SetList(key, items); }
};

}  // namespace

KxContextProperties::KxContextProperties() {
    registry_.max_load_factor(1.0f);
    registry_.rehash(8);
}

void KxContextProperties::setProperty(const std::string& key, const std::string& value,
                                      std::initializer_list<int> eventTypes) {
    setProperty(key, Value(value), eventTypes);
}

void KxContextProperties::setProperty(const std::string& key, Value value,
                                      std::initializer_list<int> eventTypes) {
    if (registry_.count(key) != 0) {
        throw KxException("Property[" + key + "] already exist!", kContextSource, "setProperty",
                          __LINE__);
    }
    const auto type = static_cast<ValueType>(value.index());
    auto shared = std::make_shared<const Value>(std::move(value));
    registry_.emplace(key, shared);
    for (int eventType : eventTypes) {
        if (eventType < 0 || eventType >= kEventTypeCount) {
            throw KxException(Overflow(eventType), kContextSource, "setProperty", __LINE__);
        }
        lists_[static_cast<size_t>(eventType)].push_back({shared, type, key});
    }
}

const KxContextProperties::EntryList& KxContextProperties::getEventProperties(int eventType) const {
    if (eventType < 0 || eventType >= kEventTypeCount) {
        throw KxException(Overflow(eventType), kContextSource, "getEventProperties", __LINE__);
    }
    return lists_[static_cast<size_t>(eventType)];
}

bool KxContextProperties::isValidABValue(const std::string& value) {
    if (value.empty()) return false;
    const char* broken = nullptr;
    if (value.size() > 3) {
        broken = "value's length is great than 3.";
    } else if (!IsUpper(value[0])) {
        broken = "First char is not in A to Z";
    } else if (value.size() > 1 && !IsUpperOrDigit(value[1])) {
        broken = "second char is not in A to Z and 0 to 9";
    } else if (value.size() > 2 && !IsUpperOrDigit(value[2])) {
        broken = "third char is not in A to Z and 0 to 9";
    }
    if (broken) throw KxException(broken, kContextSource, "isValidABValue", __LINE__);
    return true;
}

bool MergeContextProperties(const KxContextProperties& context, int eventType,
                            telemetry::PropertiesNode& properties) {
    const auto& entries = context.getEventProperties(eventType);
    for (const auto& entry : entries) std::visit(EntryWriter{entry.key, properties}, *entry.value);
    return !entries.empty();
}

std::string FormatContextTime(int64_t value) {
    const SplitTime at = SplitTrackerTime(value);
    const telemetry::CalendarTime t = telemetry::ToLocalCalendar(at.seconds);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, static_cast<int>(at.milliseconds));
    return buffer;
}

}  // namespace varen::tracking
