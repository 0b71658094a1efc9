#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace telemetry::utils {

class ObjectNode;

// One tagged value of a record. The codes are part of the record format: the
// checks compare them (DATETIME is 4, STRING is 2).
class ValueNode {
public:
    enum Type : int {
        NUMBER = 0,
        INT = 1,
        STRING = 2,
        LIST = 3,
        DATETIME = 4,
        BOOL = 5,
        OBJECT = 6
    };

    static ValueNode Number(double value);
    static ValueNode Int(int64_t value);
    static ValueNode String(std::string value);
    static ValueNode List(std::vector<std::string> items);
    static ValueNode DateTime(int64_t seconds, int32_t milliseconds);
    static ValueNode Bool(bool value);
    // The node is copied; later changes to the original do not show here.
    static ValueNode Object(const ObjectNode& node);

    Type type() const { return type_; }
    double number() const { return number_; }
    int64_t integer() const { return integer_; }
    const std::string& string() const { return string_; }
    const std::vector<std::string>& list() const { return list_; }
    int64_t seconds() const { return integer_; }
    int32_t milliseconds() const { return milliseconds_; }
    bool boolean() const { return integer_ != 0; }
    const ObjectNode& object() const { return *object_; }

    void AppendJson(std::string& out) const;

private:
    explicit ValueNode(Type type) : type_(type) {}

    Type type_;
    double number_ = 0;
    // INT value, DATETIME seconds or BOOL.
    int64_t integer_ = 0;
    int32_t milliseconds_ = 0;
    std::string string_;
    std::vector<std::string> list_;
    // Shared between copies: a stored object is never changed again.
    std::shared_ptr<const ObjectNode> object_;
};

}  // namespace telemetry::utils
