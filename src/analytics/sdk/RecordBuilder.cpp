#include "analytics/sdk/RecordBuilder.h"

#include <cstdlib>

#include "analytics/sdk/Checks.h"
#include "analytics/sdk/Clock.h"
#include "analytics/sdk/ErrorStream.h"
#include "analytics/sdk/LibraryInfo.h"

namespace telemetry {

namespace {

using utils::ObjectNode;
using utils::ValueNode;

bool CheckProperties(const PropertiesNode& properties) {
    for (const auto& [key, value] : properties.entries()) {
        if (!checks::CheckName(key, "Property Key")) return false;
        if (key == "$time" && value.type() != ValueNode::DATETIME) {
            WriteError("The property '$time' should be DateTime type.");
            return false;
        }
        if (key == "$project" && value.type() != ValueNode::STRING) {
            WriteError("The property '$project' should be String type.");
            return false;
        }
    }
    return true;
}

bool CheckRequest(const RecordRequest& request) {
    if (request.properties && !CheckProperties(*request.properties)) return false;
    if (request.actionType == "track") return checks::CheckName(request.eventName, "Event Name");
    if (request.actionType == "track_signup")
        return checks::CheckId(request.originalId, "Original ID");
    return true;
}

std::string LastDigits(long long value, size_t count) {
    const std::string text = std::to_string(value);
    return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace

int32_t NewTrackId() {
    const int first = std::rand() % 99 + 100;
    const int second = std::rand() % 999 + 1000;
    const std::string text =
        LastDigits(first, 2) + LastDigits(second, 3) + LastDigits(NowMilliseconds(), 4);
    return static_cast<int32_t>(std::stol(text));
}

std::optional<ObjectNode> BuildRecord(const RecordRequest& request, const RecordContext& context) {
    if (!CheckRequest(request)) return std::nullopt;

    PropertiesNode properties;
    if (request.actionType.find("track") != std::string::npos) {
        properties.MergeFrom(context.superProperties);
    }
    if (request.properties) properties.MergeFrom(*request.properties);

    int64_t time = 0;
    if (const ValueNode* given = properties.Find("$time")) {
        time = given->seconds() * 1000 + given->milliseconds();
        properties.Remove("$time");
    } else {
        time = NowMilliseconds();
    }
    std::string project;
    if (const ValueNode* given = properties.Find("$project")) {
        project = given->string();
        properties.Remove("$project");
    }
    if (context.loggedIn) properties.SetBool("$is_login_id", true);

    ObjectNode lib;
    lib.SetString("$lib", kLibraryName);
    lib.SetString("$lib_version", kLibraryVersion);
    lib.SetString("$lib_method", "code");

    ObjectNode record;
    record.SetString("type", request.actionType);
    record.SetInt64("time", time);
    record.SetString("distinct_id", request.distinctId);
    record.SetObject("properties", properties);
    record.SetObject("lib", lib);
    record.SetInt("_track_id", NewTrackId());
    if (!project.empty()) record.SetString("project", project);
    if (request.actionType == "track" || request.actionType == "track_signup") {
        record.SetString("event", request.eventName);
    }
    if (request.actionType == "track_signup") record.SetString("original_id", request.originalId);
    return record;
}

}  // namespace telemetry
