#include "analytics/sdk/Checks.h"

#include <cstddef>

#include "analytics/sdk/ErrorStream.h"

namespace telemetry::checks {

namespace {

constexpr size_t kMaxNameLength = 100;
constexpr size_t kMaxIdLength = 255;
constexpr size_t kMaxStringLength = 8192;

bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool InRange(unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
}

// Bytes that follow a lead byte: how many, and the allowed range of the first.
struct Sequence {
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
};

Sequence SequenceOf(unsigned char lead) {
    if (lead == 0x09 || lead == 0x0A || lead == 0x0D || InRange(lead, 0x20, 0x7E)) return {1};
    if (InRange(lead, 0xC2, 0xDF)) return {2};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (InRange(lead, 0xE1, 0xEC) || lead == 0xEE || lead == 0xEF) return {3};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (InRange(lead, 0xF1, 0xF3)) return {4};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {};
}

}  // namespace

bool CheckName(const std::string& name, const char* label) {
    if (name.empty() || name.size() > kMaxNameLength) {
        WriteError(std::string("The ") + label + " is empty or too long, max length is 100");
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool allowed = IsLetter(c) || c == '$' || c == '_' || (i != 0 && IsDigit(c));
        if (!allowed) {
            WriteError(std::string("The ") + label + " need to be a valid variable name.");
            return false;
        }
    }
    return true;
}

bool CheckId(const std::string& id, const char* label) {
    if (id.empty()) {
        WriteErrorLine(std::string("The ") + label + " is empty.");
        return false;
    }
    if (id.size() > kMaxIdLength) {
        WriteErrorLine(std::string("The ") + label + " is too long, max length is 255.");
        return false;
    }
    return true;
}

bool IsAcceptedUtf8(const std::string& value) {
    const size_t size = value.size();
    for (size_t i = 0; i < size;) {
        const Sequence sequence = SequenceOf(static_cast<unsigned char>(value[i]));
        if (sequence.length == 0 || size - i < static_cast<size_t>(sequence.length)) return false;
        for (int k = 1; k < sequence.length; ++k) {
            const unsigned char c = static_cast<unsigned char>(value[i + k]);
            const bool ok =
                k == 1 ? InRange(c, sequence.low, sequence.high) : InRange(c, 0x80, 0xBF);
            if (!ok) return false;
        }
        i += static_cast<size_t>(sequence.length);
    }
    return true;
}

bool CheckString(const std::string& key, const std::string& value) {
    if (value.size() > kMaxStringLength) {
        WriteErrorLine("String property '" + key + "' is too long, value: " + value);
        return false;
    }
    if (!IsAcceptedUtf8(value)) {
        WriteErrorLine("String property '" + key + "' is not valid UTF-8 string, value: " + value);
        return false;
    }
    return true;
}

}  // namespace telemetry::checks
