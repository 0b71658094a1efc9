#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <nlohmann/json.hpp>

#include "analytics/sdk/ObjectNode.h"
#include "analytics/sdk/PropertiesNode.h"
#include "analytics/sdk/RecordBuilder.h"

namespace {

using telemetry::PropertiesNode;
using telemetry::utils::ObjectNode;

std::string One(const std::function<void(ObjectNode&)>& set) {
    ObjectNode node;
    set(node);
    return node.ToJson();
}

struct ValueCase {
    const char* name;
    std::function<void(ObjectNode&)> set;
    std::string expected;
};

TEST(JsonText, EachValueType) {
    const std::vector<ValueCase> cases = {
        {"number with fraction", [](ObjectNode& n) { n.SetNumber("k", 12.5); }, R"({"k":12.5})"},
        {"whole number", [](ObjectNode& n) { n.SetNumber("k", 100.0); }, R"({"k":100})"},
        {"six significant digits", [](ObjectNode& n) { n.SetNumber("k", 1234567.0); },
         R"({"k":1.23457e+06})"},
        {"small number", [](ObjectNode& n) { n.SetNumber("k", 0.0001); }, R"({"k":0.0001})"},
        {"tiny number", [](ObjectNode& n) { n.SetNumber("k", -0.00001234); },
         R"({"k":-1.234e-05})"},
        {"rounded", [](ObjectNode& n) { n.SetNumber("k", 3.14159265); }, R"({"k":3.14159})"},
        {"not a number", [](ObjectNode& n) { n.SetNumber("k", std::nan("")); }, R"({"k":null})"},
        {"infinity",
         [](ObjectNode& n) { n.SetNumber("k", std::numeric_limits<double>::infinity()); },
         R"({"k":null})"},
        {"negative int", [](ObjectNode& n) { n.SetInt("k", -42); }, R"({"k":-42})"},
        {"int extremes", [](ObjectNode& n) { n.SetInt("k", INT32_MIN); }, R"({"k":-2147483648})"},
        {"wide int", [](ObjectNode& n) { n.SetInt64("k", INT64_MAX); },
         R"({"k":9223372036854775807})"},
        {"escapes", [](ObjectNode& n) { n.SetString("k", "q\"b\\t\tn\nr\r"); },
         R"({"k":"q\"b\\t\tn\nr\r"})"},
        {"other bytes as they are", [](ObjectNode& n) { n.SetString("k", "\xC3\xA9/<>'"); },
         "{\"k\":\"\xC3\xA9/<>'\"}"},
        {"empty string", [](ObjectNode& n) { n.SetString("k", ""); }, R"({"k":""})"},
        {"list",
         [](ObjectNode& n) {
             n.SetList("k", {"a", "b\"c"});
         },
         R"({"k":["a","b\"c"]})"},
        {"empty list", [](ObjectNode& n) { n.SetList("k", {}); }, R"({"k":[]})"},
        {"true", [](ObjectNode& n) { n.SetBool("k", true); }, R"({"k":true})"},
        {"false", [](ObjectNode& n) { n.SetBool("k", false); }, R"({"k":false})"},
        {"object",
         [](ObjectNode& n) {
             ObjectNode inner;
             inner.SetInt("b", 1);
             inner.SetString("a", "x");
             n.SetObject("k", inner);
         },
         R"({"k":{"a":"x","b":1}})"},
        {"empty object", [](ObjectNode& n) { n.SetObject("k", ObjectNode()); }, R"({"k":{}})"},
    };
    for (const auto& c : cases) {
        const std::string text = One(c.set);
        EXPECT_EQ(text, c.expected) << c.name;
        EXPECT_FALSE(nlohmann::json::parse(text, nullptr, false).is_discarded()) << c.name;
    }
}

// List items pass the same check as string values: a refused item would
// otherwise reach the collector as raw control bytes.
TEST(JsonText, ListItemsPassTheStringCheck) {
    ObjectNode node;
    node.SetList("k", {"fine", std::string("\b\f")});
    node.SetList("m", {"\xC3"});
    EXPECT_EQ(node.ToJson(), "{}");
}

TEST(JsonText, DateTimeIsLocalWallClockWithMilliseconds) {
    const int64_t seconds = 1700000000;  // 2023-11-14 22:13:20 UTC
    const std::time_t value = seconds;
    const std::tm local = *std::localtime(&value);
    char expected[64];
    std::strftime(expected, sizeof expected, "{\"k\":\"%Y-%m-%d %H:%M:%S.007\"}", &local);
    EXPECT_EQ(One([&](ObjectNode& n) { n.SetDateTime("k", seconds, 7); }), expected);
    const std::string zero = One([](ObjectNode& n) { n.SetDateTime("k", 0, 999); });
    EXPECT_EQ(zero.size(), std::string(R"({"k":"1970-01-01 00:00:00.999"})").size());
    EXPECT_NE(zero.find(".999\""), std::string::npos);
}

TEST(JsonText, KeysInByteOrderAndReplaced) {
    ObjectNode node;
    for (const char* key : {"b", "ab", "a", "_", "B", "$x", "\xC3\xA9", "a"}) node.SetInt(key, 1);
    node.SetInt("b", 2);
    EXPECT_EQ(node.ToJson(), "{\"$x\":1,\"B\":1,\"_\":1,\"a\":1,\"ab\":1,\"b\":2,\"\xC3\xA9\":1}");
}

TEST(JsonText, SetObjectCopiesAndPropertiesRefuseObjects) {
    ObjectNode inner;
    inner.SetInt("n", 1);
    ObjectNode outer;
    outer.SetObject("o", inner);
    inner.SetInt("n", 2);
    inner.SetInt("m", 3);
    ObjectNode copy = outer;
    outer.SetInt("later", 0);
    EXPECT_EQ(copy.ToJson(), R"({"o":{"n":1}})");

    PropertiesNode properties;
    properties.SetObject("o", inner);
    ObjectNode& asBase = properties;
    asBase.SetObject("p", inner);
    EXPECT_EQ(properties.ToJson(), "{}");

    ObjectNode merged;
    merged.SetInt("a", 1);
    merged.SetInt("b", 1);
    ObjectNode over;
    over.SetString("b", "x");
    merged.MergeFrom(over);
    EXPECT_EQ(merged.ToJson(), R"({"a":1,"b":"x"})");
}

TEST(JsonText, WholeRecordByteExact) {
    PropertiesNode super;
    super.SetString("$lib", "cpp");
    super.SetString("$lib_version", "0.9");
    super.SetString("channel", "web");
    PropertiesNode given;
    given.SetDateTime("$time", 1700000000, 250);
    given.SetString("$project", "reader");
    given.SetString("channel", "direct");
    given.SetNumber("ratio", 0.25);
    given.SetList("tags", {"a"});
    const telemetry::RecordRequest request{"track", "Install_Start", &given, "user-1", ""};
    auto record = telemetry::BuildRecord(request, {super, true});
    ASSERT_TRUE(record);
    record->SetInt("_track_id", 123456789);
    const std::string expected =
        R"({"_track_id":123456789,"distinct_id":"user-1","event":"Install_Start",)"
        R"("lib":{"$lib":"cpp","$lib_method":"code","$lib_version":"0.9"},"project":"reader",)"
        R"("properties":{"$is_login_id":true,"$lib":"cpp","$lib_version":"0.9",)"
        R"("channel":"direct","ratio":0.25,"tags":["a"]},"time":1700000000250,"type":"track"})";
    EXPECT_EQ(record->ToJson(), expected);

    const auto parsed = nlohmann::json::parse(record->ToJson());
    EXPECT_EQ(parsed["time"].get<int64_t>(), 1700000000250);
    EXPECT_EQ(parsed["properties"]["channel"], "direct");
    EXPECT_FALSE(parsed["properties"].contains("$time"));
    EXPECT_FALSE(parsed["properties"].contains("$project"));
}

TEST(JsonText, SignupRecordCarriesOriginalId) {
    PropertiesNode super;
    super.SetString("$lib", "cpp");
    PropertiesNode none;
    none.SetDateTime("$time", 10, 0);
    const telemetry::RecordRequest request{"track_signup", "$SignUp", &none, "login", "anon"};
    auto record = telemetry::BuildRecord(request, {super, false});
    ASSERT_TRUE(record);
    record->SetInt("_track_id", 1);
    EXPECT_EQ(record->ToJson(), R"({"_track_id":1,"distinct_id":"login","event":"$SignUp",)"
                                R"("lib":{"$lib":"cpp","$lib_method":"code","$lib_version":"0.9"},)"
                                R"("original_id":"anon","properties":{"$lib":"cpp"},"time":10000,)"
                                R"("type":"track_signup"})");
}

}  // namespace
