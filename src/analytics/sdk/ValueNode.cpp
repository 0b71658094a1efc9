#include "analytics/sdk/ValueNode.h"

#include "analytics/sdk/JsonText.h"
#include "analytics/sdk/ObjectNode.h"

namespace telemetry::utils {

ValueNode ValueNode::Number(double value) {
    ValueNode node(NUMBER);
    node.number_ = value;
    return node;
}

ValueNode ValueNode::Int(int64_t value) {
    ValueNode node(INT);
    node.integer_ = value;
    return node;
}

ValueNode ValueNode::String(std::string value) {
    ValueNode node(STRING);
    node.string_ = std::move(value);
    return node;
}

ValueNode ValueNode::List(std::vector<std::string> items) {
    ValueNode node(LIST);
    node.list_ = std::move(items);
    return node;
}

ValueNode ValueNode::DateTime(int64_t seconds, int32_t milliseconds) {
    ValueNode node(DATETIME);
    node.integer_ = seconds;
    node.milliseconds_ = milliseconds;
    return node;
}

ValueNode ValueNode::Bool(bool value) {
    ValueNode node(BOOL);
    node.integer_ = value ? 1 : 0;
    return node;
}

ValueNode ValueNode::Object(const ObjectNode& node) {
    ValueNode value(OBJECT);
    // Copied as a plain object whatever the node's own class.
    auto copy = std::make_shared<ObjectNode>();
    copy->MergeFrom(node);
    value.object_ = std::move(copy);
    return value;
}

void ValueNode::AppendJson(std::string& out) const {
    switch (type_) {
        case NUMBER:
            json::AppendNumber(out, number_);
            break;
        case INT:
            json::AppendInt(out, integer_);
            break;
        case STRING:
            json::AppendString(out, string_);
            break;
        case LIST:
            out += '[';
            for (size_t i = 0; i < list_.size(); ++i) {
                if (i != 0) out += ',';
                json::AppendString(out, list_[i]);
            }
            out += ']';
            break;
        case DATETIME:
            json::AppendDateTime(out, integer_, milliseconds_);
            break;
        case BOOL:
            out += integer_ != 0 ? "true" : "false";
            break;
        case OBJECT:
            object_->AppendJson(out);
            break;
    }
}

}  // namespace telemetry::utils
