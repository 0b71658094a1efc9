#include "analytics/sdk/ObjectNode.h"

#include "analytics/sdk/Checks.h"

namespace telemetry::utils {

void ObjectNode::Store(const std::string& key, ValueNode value) {
    entries_.insert_or_assign(key, std::move(value));
}

void ObjectNode::SetNumber(const std::string& key, double value) {
    Store(key, ValueNode::Number(value));
}

void ObjectNode::SetInt(const std::string& key, int32_t value) {
    Store(key, ValueNode::Int(value));
}

void ObjectNode::SetInt64(const std::string& key, int64_t value) {
    Store(key, ValueNode::Int(value));
}

void ObjectNode::SetString(const std::string& key, const std::string& value) {
    if (checks::CheckString(key, value)) Store(key, ValueNode::String(value));
}

void ObjectNode::SetString(const std::string& key, const char* value) {
    SetString(key, std::string(value ? value : ""));
}

void ObjectNode::SetList(const std::string& key, const std::vector<std::string>& items) {
    for (const auto& item : items) {
        if (!checks::CheckString(key, item)) return;
    }
    Store(key, ValueNode::List(items));
}

void ObjectNode::SetBool(const std::string& key, bool value) {
    Store(key, ValueNode::Bool(value));
}

void ObjectNode::SetDateTime(const std::string& key, int64_t seconds, int32_t milliseconds) {
    Store(key, ValueNode::DateTime(seconds, milliseconds));
}

void ObjectNode::SetObject(const std::string& key, const ObjectNode& node) {
    Store(key, ValueNode::Object(node));
}

void ObjectNode::MergeFrom(const ObjectNode& other) {
    for (const auto& [key, value] : other.entries_) entries_.insert_or_assign(key, value);
}

const ValueNode* ObjectNode::Find(const std::string& key) const {
    auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
}

std::string ObjectNode::ToJson() const {
    std::string out;
    AppendJson(out);
    return out;
}

void ObjectNode::AppendJson(std::string& out) const {
    out += '{';
    bool first = true;
    for (const auto& [key, value] : entries_) {
        if (!first) out += ',';
        first = false;
        // Keys are written as they are: every key has passed the name check or
        // is one of the record's own.
        out += '"';
        out += key;
        out += "\":";
        value.AppendJson(out);
    }
    out += '}';
}

}  // namespace telemetry::utils
