#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "analytics/sdk/ValueNode.h"

namespace telemetry::utils {

// The keyed values of a record or of its properties, kept in byte-wise key
// order because the JSON text carries them in that order.
class ObjectNode {
public:
    using Entries = std::map<std::string, ValueNode>;

    ObjectNode() = default;
    ObjectNode(const ObjectNode&) = default;
    ObjectNode& operator=(const ObjectNode&) = default;
    virtual ~ObjectNode() = default;

    void SetNumber(const std::string& key, double value);
    void SetInt(const std::string& key, int32_t value);
    // Record times in milliseconds need the full width.
    void SetInt64(const std::string& key, int64_t value);
    // Refused (and reported) when too long or not UTF-8; the key is then left as it was.
    void SetString(const std::string& key, const std::string& value);
    void SetString(const std::string& key, const char* value);
    // Every item goes through the same check as SetString; one refused item
    // leaves the key as it was.
    void SetList(const std::string& key, const std::vector<std::string>& items);
    void SetBool(const std::string& key, bool value);
    void SetDateTime(const std::string& key, int64_t seconds, int32_t milliseconds);
    virtual void SetObject(const std::string& key, const ObjectNode& node);
    void MergeFrom(const ObjectNode& other);

    bool Has(const std::string& key) const { return entries_.count(key) != 0; }
    const ValueNode* Find(const std::string& key) const;
    void Remove(const std::string& key) { entries_.erase(key); }
    void Clear() { entries_.clear(); }
    const Entries& entries() const { return entries_; }

    std::string ToJson() const;
    void AppendJson(std::string& out) const;

protected:
    void Store(const std::string& key, ValueNode value);

private:
    Entries entries_;
};

}  // namespace telemetry::utils
