#include <gtest/gtest.h>

#include "analytics/sdk/Checks.h"
#include "analytics/sdk/Clock.h"
#include "analytics/sdk/ObjectNode.h"
#include "analytics/sdk/RecordBuilder.h"

namespace {

using telemetry::PropertiesNode;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

struct CheckCase {
    std::string input;
    bool passes;
    std::string message;
};

TEST(Checks, Names) {
    const std::string tooLong = "The Event Name is empty or too long, max length is 100";
    const std::string invalid = "The Event Name need to be a valid variable name.";
    const std::vector<CheckCase> cases = {
        {"a", true, ""},
        {"$abc_1", true, ""},
        {"_9", true, ""},
        {"Zz$", true, ""},
        {std::string(100, 'x'), true, ""},
        {"", false, tooLong},
        {std::string(101, 'x'), false, tooLong},
        {"1abc", false, invalid},
        {"a b", false, invalid},
        {"a-b", false, invalid},
        {"\xC3\xA9t\xC3\xA9", false, invalid},
        {"ab\xC3\xA9", false, invalid},
    };
    for (const auto& c : cases) {
        CaptureStderr();
        EXPECT_EQ(telemetry::checks::CheckName(c.input, "Event Name"), c.passes) << c.input;
        EXPECT_EQ(GetCapturedStderr(), c.message) << c.input;
    }
}

TEST(Checks, Ids) {
    const std::vector<CheckCase> cases = {
        {"x", true, ""},
        {std::string(255, 'i'), true, ""},
        {"any bytes \x01 at all", true, ""},
        {"", false, "The Distinct ID is empty.\n"},
        {std::string(256, 'i'), false, "The Distinct ID is too long, max length is 255.\n"},
    };
    for (const auto& c : cases) {
        CaptureStderr();
        EXPECT_EQ(telemetry::checks::CheckId(c.input, "Distinct ID"), c.passes) << c.input;
        EXPECT_EQ(GetCapturedStderr(), c.message) << c.input;
    }
}

TEST(Checks, Utf8Acceptance) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"plain text ~", true},
        {"\t\n\r", true},
        {std::string("\x00", 1), false},
        {"\x01", false},
        {"\x08", false},
        {"\x7F", false},
        {"\xC2\x80", true},
        {"\xDF\xBF", true},
        {"\xC1\xBF", false},  // overlong
        {"\xC2", false},      // cut short
        {"\x80", false},      // lone continuation byte
        {"\xE0\xA0\x80", true},
        {"\xE0\x9F\xBF", false},  // overlong
        {"\xE1\x80\x80", true},
        {"\xEC\xBF\xBF", true},
        {"\xED\x9F\xBF", true},
        {"\xED\xA0\x80", false},  // surrogate
        {"\xEE\x80\x80", true},
        {"\xEF\xBF\xBF", true},
        {"\xE4\xB8", false},
        {"\xF0\x90\x80\x80", true},
        {"\xF0\x8F\xBF\xBF", false},  // overlong
        {"\xF3\xBF\xBF\xBF", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
        {"\xE4\xB8\xAD\xE6\x96\x87 ok", true},
        {"ok \xE4\xB8\x41", false},  // a sequence broken by an ASCII byte
    };
    for (const auto& [input, accepted] : cases) {
        EXPECT_EQ(telemetry::checks::IsAcceptedUtf8(input), accepted)
            << testing::PrintToString(input);
    }
}

TEST(Checks, StringValuesRefusedLeaveTheKeyUnset) {
    telemetry::utils::ObjectNode node;
    node.SetString("k", "old");
    CaptureStderr();
    node.SetString("k", std::string(8193, 'v'));
    EXPECT_EQ(GetCapturedStderr(),
              "String property 'k' is too long, value: " + std::string(8193, 'v') + "\n");
    EXPECT_EQ(node.Find("k")->string(), "old");

    CaptureStderr();
    node.SetString("bad", "x\x7Fy");
    EXPECT_EQ(GetCapturedStderr(),
              "String property 'bad' is not valid UTF-8 string, value: x\x7Fy\n");
    EXPECT_FALSE(node.Has("bad"));

    node.SetString("limit", std::string(8192, 'v'));
    EXPECT_EQ(node.Find("limit")->string().size(), 8192u);
    node.SetString("null", static_cast<const char*>(nullptr));
    EXPECT_EQ(node.Find("null")->string(), "");
}

struct RecordCase {
    const char* name;
    std::string action, event, originalId;
    std::function<void(PropertiesNode&)> fill;
    std::string message;
};

TEST(Checks, RecordsDroppedByTheirChecks) {
    const std::vector<RecordCase> cases = {
        {"key too long", "track", "E", "",
         [](PropertiesNode& p) { p.SetInt(std::string(101, 'k'), 1); },
         "The Property Key is empty or too long, max length is 100"},
        {"empty key", "profile_set", "", "", [](PropertiesNode& p) { p.SetInt("", 1); },
         "The Property Key is empty or too long, max length is 100"},
        {"key starts with digit", "track", "E", "", [](PropertiesNode& p) { p.SetInt("9a", 1); },
         "The Property Key need to be a valid variable name."},
        {"time as string", "track", "E", "", [](PropertiesNode& p) { p.SetString("$time", "now"); },
         "The property '$time' should be DateTime type."},
        {"project as number", "profile_set", "", "",
         [](PropertiesNode& p) { p.SetInt("$project", 3); },
         "The property '$project' should be String type."},
        {"event with a space", "track", "bad name", "", [](PropertiesNode&) {},
         "The Event Name need to be a valid variable name."},
        {"empty event", "track", "", "", [](PropertiesNode&) {},
         "The Event Name is empty or too long, max length is 100"},
        {"signup without original id", "track_signup", "$SignUp", "", [](PropertiesNode&) {},
         "The Original ID is empty.\n"},
        {"signup with long original id", "track_signup", "$SignUp", std::string(256, 'o'),
         [](PropertiesNode&) {}, "The Original ID is too long, max length is 255.\n"},
    };
    const PropertiesNode super;
    for (const auto& c : cases) {
        PropertiesNode properties;
        c.fill(properties);
        CaptureStderr();
        const telemetry::RecordRequest request{c.action, c.event, &properties, "id", c.originalId};
        EXPECT_FALSE(telemetry::BuildRecord(request, {super, false})) << c.name;
        EXPECT_EQ(GetCapturedStderr(), c.message) << c.name;
    }
}

TEST(Checks, ProfileRecordsCheckNoEventName) {
    PropertiesNode properties;
    properties.SetString("$project", "");
    properties.SetInt("$count_1", 1);
    const PropertiesNode super;
    CaptureStderr();
    auto record = telemetry::BuildRecord({"profile_set", "not a name", &properties, "id", ""},
                                         {super, false});
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->Has("event"));
    EXPECT_FALSE(record->Has("project"));
    EXPECT_FALSE(record->Find("properties")->object().Has("$project"));
}

TEST(Checks, TrackIdShape) {
    for (int i = 0; i < 200; ++i) {
        const int64_t before = telemetry::NowMilliseconds();
        const int32_t id = telemetry::NewTrackId();
        const int64_t after = telemetry::NowMilliseconds();
        ASSERT_GE(id, 0);
        ASSERT_LT(id, 1000000000);
        EXPECT_LE(id / 10000000, 98) << id;       // (rand % 99 + 100) keeps 00..98
        EXPECT_LE(id / 10000 % 1000, 998) << id;  // (rand % 999 + 1000) keeps 000..998
        bool clockMatches = false;
        for (int64_t t = before; t <= after; ++t) clockMatches |= id % 10000 == t % 10000;
        EXPECT_TRUE(clockMatches) << id << " taken between " << before << " and " << after;
    }
}

}  // namespace
