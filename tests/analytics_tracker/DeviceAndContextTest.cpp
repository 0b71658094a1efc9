#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "analytics/sdk/Clock.h"
#include "analytics/tracker/DeviceDescription.h"
#include "analytics/tracker/DistinctId.h"
#include "analytics/tracker/KxContextProperties.h"
#include "analytics/tracker/KxException.h"
#include "support/TestSupport.h"

namespace {

using namespace varen::tracking;

TEST(OsVersion, Table) {
    const struct {
        bool known;
        uint32_t major, minor, build;
        bool is64, r2;
        const char* text;
    } cases[] = {
        {false, 0, 0, 0, true, false, "XP-"},
        {true, 4, 0, 1381, false, false, "XP-"},
        {true, 5, 0, 2195, false, false, "2K"},
        {true, 5, 1, 2600, false, false, "XP"},
        {true, 5, 2, 3790, true, false, "XP64"},
        {true, 5, 2, 3790, false, true, "Server 2003 R2"},
        {true, 5, 2, 3790, false, false, "Server 2003"},
        {true, 5, 3, 0, false, false, "XP+"},
        {true, 6, 0, 6002, true, false, "Vista64"},
        {true, 6, 0, 6002, false, false, "Vista"},
        {true, 6, 1, 7601, true, false, "7"},
        {true, 6, 1, 7601, false, false, "7-32"},
        {true, 6, 2, 9200, true, false, "8"},
        {true, 6, 2, 9200, false, false, "8-32"},
        {true, 6, 3, 9600, false, false, "8.1"},
        {true, 6, 4, 0, false, false, "8.1+"},
        {true, 10, 0, 19045, true, false, "10"},
        {true, 10, 0, 0xF0005000 | 21999, true, false, "10"},  // flag bits above the build
        {true, 10, 0, 22000, true, false, "11"},
        {true, 10, 1, 0, true, false, "11+"},
        {true, 11, 0, 1, true, false, "11+"},
        {true, 7, 2, 300, true, false, "7.2.300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowsVersionText(c.known, c.major, c.minor, c.build, c.is64, c.r2), c.text)
            << c.major << "." << c.minor << "." << c.build << (c.is64 ? " 64" : " 32");
    }
}

TEST(OsVersion, UserAgent) {
    EXPECT_EQ(UserAgentFor({"Windows", "10"}, true), "Mozilla/5.0(Windows 10; Win64;)");
    EXPECT_EQ(UserAgentFor({"Windows", "7-32"}, false), "Mozilla/5.0(Windows 7-32; Win32;)");
    const OsNameAndVersion os = GetOsNameAndVersion();
#ifdef _WIN32
    EXPECT_EQ(os.name, "Windows");
#else
    EXPECT_EQ(os.name, "Linux");
#endif
    EXPECT_FALSE(os.version.empty());
    EXPECT_EQ(GetUserAgent().rfind("Mozilla/5.0(" + os.name + " " + os.version + "; Win", 0), 0u);
}

int guidCalls = 0;
int guidFailures = 0;

bool ScriptedGuid(platform::Guid& guid) {
    ++guidCalls;
    if (guidCalls <= guidFailures) return false;
    guid = {0x0123ABCD, 0x4567, 0x89EF, {0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5, 0x06, 0x17}};
    return true;
}

TEST(DistinctId, GuidTextAndFallback) {
    guidCalls = 0;
    guidFailures = 5;
    EXPECT_EQ(NewDistinctId(ScriptedGuid), "0123ABCD-4567-89EF-A0B1-C2D3E4F50617");
    EXPECT_EQ(guidCalls, 6);

    guidCalls = 0;
    guidFailures = 1000;
    const std::string first = NewDistinctId(ScriptedGuid);
    EXPECT_EQ(guidCalls, 11);  // one discarded, ten failed
    const std::regex shape("[0-9a-f]+-[0-9a-f]+-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]+");
    EXPECT_TRUE(std::regex_match(first, shape)) << first;
    EXPECT_NE(NewDistinctId(ScriptedGuid), first);

    const std::regex guid("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
    const std::string real = NewDistinctId();
    EXPECT_TRUE(std::regex_match(real, guid)) << real;
    EXPECT_NE(NewDistinctId(), real);
}

bool NoGuid(platform::Guid&) {
    return false;
}

QM_CHILD_ENTRY(FallbackId) {
    testing_support::WriteFile(args.at(0), NewDistinctId(NoGuid));
    return 0;
}

// Two installers on machines without GUIDs must not share one id.
TEST(DistinctId, FallbackIdsDifferBetweenProcesses) {
    testing_support::ScratchDir dir;
    std::string ids[2];
    for (int i = 0; i < 2; ++i) {
        const auto file = dir / ("id" + std::to_string(i));
        ASSERT_EQ(testing_support::RunChild("FallbackId", {file.string()}), 0u);
        std::ifstream in(file);
        std::getline(in, ids[i]);
        EXPECT_FALSE(ids[i].empty());
    }
    EXPECT_NE(ids[0], ids[1]);
}

std::string Refusal(const std::string& value) {
    try {
        return KxContextProperties::isValidABValue(value) ? "accepted" : "refused";
    } catch (const KxException& e) {
        EXPECT_EQ(e.function(), "isValidABValue");
        return e.what();
    }
}

TEST(ContextProperties, AbValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"IN", "accepted"},
        {"A1Z", "accepted"},
        {"Q", "accepted"},
        {"", "refused"},
        {"ABCD", "value's length is great than 3."},
        {"iN", "First char is not in A to Z"},
        {"1N", "First char is not in A to Z"},
        {"Ab", "second char is not in A to Z and 0 to 9"},
        {"AB-", "third char is not in A to Z and 0 to 9"},
    };
    for (const auto& [value, result] : cases) EXPECT_EQ(Refusal(value), result) << value;
}

TEST(ContextProperties, RegistrationAndOverflow) {
    KxContextProperties context;
    context.setProperty("kxc_ab", std::string("IN"), {7, 3});
    try {
        context.setProperty("kxc_two", std::string("v"), {7, 15, 4});
        ADD_FAILURE() << "event type 15 accepted";
    } catch (const KxException& e) {
        EXPECT_STREQ(e.what(), "KxEvent[15] overflow!");
        EXPECT_EQ(e.file(), "source\\src\\KxContextProperties");
    }
    // What came before the bad type stays; what came after it was never added.
    ASSERT_EQ(context.getEventProperties(7).size(), 2u);
    EXPECT_EQ(context.getEventProperties(7)[1].key, "kxc_two");
    EXPECT_TRUE(context.getEventProperties(4).empty());
    EXPECT_EQ(context.getEventProperties(3).size(), 1u);
    EXPECT_TRUE(context.getEventProperties(14).empty());
    EXPECT_THROW(context.getEventProperties(15), KxException);
    EXPECT_THROW(context.getEventProperties(-1), KxException);
    try {
        context.setProperty("kxc_ab", std::string("EU"), {1});
        ADD_FAILURE() << "second registration accepted";
    } catch (const KxException& e) {
        EXPECT_STREQ(e.what(), "Property[kxc_ab] already exist!");
    }
    // The entries share their value with the registration.
    EXPECT_EQ(context.getEventProperties(7)[0].value, context.getEventProperties(3)[0].value);
}

TEST(ContextProperties, ValueTypesInTheEvent) {
    KxContextProperties context;
    const int64_t seconds = 1700000000;
    context.setProperty("b", KxContextProperties::Value(true), {0});
    context.setProperty("t_s", KxContextProperties::Value(KxTime{seconds}), {0});
    context.setProperty("t_ms", KxContextProperties::Value(KxTime{seconds * 1000 + 42}), {0});
    context.setProperty("n", KxContextProperties::Value(2.5), {0});
    context.setProperty("s", std::string("text"), {0});
    context.setProperty("l", KxContextProperties::Value(std::vector<std::string>{"x", "y"}), {0});
    telemetry::PropertiesNode node;
    EXPECT_TRUE(MergeContextProperties(context, 0, node));
    EXPECT_FALSE(MergeContextProperties(context, 1, node));
    EXPECT_EQ(context.getEventProperties(0)[1].type, KxContextProperties::kTime);

    const telemetry::CalendarTime t = telemetry::ToLocalCalendar(seconds);
    char local[32];
    std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    EXPECT_EQ(node.ToJson(),
              std::string("{\"b\":true,\"l\":[\"x\",\"y\"],\"n\":2.5,\"s\":\"text\",") +
                  "\"t_ms\":\"" + local + ".042\",\"t_s\":\"" + local + ".000\"}");
}

}  // namespace
