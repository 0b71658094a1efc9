#include <nlohmann/json.hpp>

#include "TrackerFixture.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/NativeUserTracker.h"

namespace tracker_tests {
namespace {

using varen::tracking::KxException;
using varen::tracking::NativeUserTracker;

std::string Refusal(void (*call)()) {
    try {
        call();
        return "accepted";
    } catch (const KxException& e) {
        EXPECT_EQ(e.file(), "source\\src\\NativeUserTracker");
        return e.what();
    }
}

TEST(NativeUserTracker, RefusesWhatTheKeyCannotTake) {
    EXPECT_EQ(Refusal([] { NativeUserTracker::ProfileUserPropertyString("kx_visit_count", "1"); }),
              "user property [kx_visit_count] is string type value, it cannot be accumulated!");
    EXPECT_EQ(Refusal([] { NativeUserTracker::ProfileUserPropertyNumber("kx_unlisted", 1); }),
              "Not supported user property [kx_unlisted]!");
    EXPECT_EQ(Refusal([] { NativeUserTracker::ProfileUserPropertyNumber("kx_nope", 1.5); }),
              "Not supported user property [kx_nope]!");
    EXPECT_EQ(Refusal([] { NativeUserTracker::ProfileUserPropertyDateTime("kx_paid_count", 1); }),
              "user property [kx_paid_count] is date time value, it cannot be accumulated!");
    EXPECT_EQ(Refusal([] { NativeUserTracker::ProfileUserPropertyString("kx_city", "Oslo"); }),
              "accepted");
}

TEST_F(TrackerFixture, ProfileRecordsFollowThePropertyTable) {
    auto tracker = Start(UnsentUrl());
    NativeUserTracker::ProfileUserPropertyString("kx_city", "Oslo");
    NativeUserTracker::ProfileUserPropertyString("kx_first_paid_date", "x");
    NativeUserTracker::ProfileUserPropertyNumber("kx_visit_count", 2);
    NativeUserTracker::ProfileUserPropertyNumber("kx_consumption", 1.25);
    NativeUserTracker::ProfileUserPropertyNumber("kx_user_vip_level", 3);
    NativeUserTracker::ProfileUserPropertyDateTime("kx_first_visit_date", 1700000000123);
    NativeUserTracker::ProfileUserPropertyDateTime("kx_last_visit_date", 1700000000);
    const auto records = Finish(tracker);
    ASSERT_EQ(records.size(), 7u);
    const std::pair<const char*, const char*> expected[] = {
        {"profile_set", R"({"kx_city":"Oslo"})"},
        {"profile_set_once", R"({"kx_first_paid_date":"x"})"},
        {"profile_increment", R"({"kx_visit_count":2})"},
        {"profile_increment", R"({"kx_consumption":1.25})"},
        {"profile_set", R"({"kx_user_vip_level":3})"},
        {"profile_set_once", nullptr},
        {"profile_set", nullptr},
    };
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i]["type"], expected[i].first) << i;
        if (expected[i].second) {
            EXPECT_EQ(records[i]["properties"], json::parse(expected[i].second)) << i;
        }
    }
    const std::string dated = records[5]["properties"]["kx_first_visit_date"];
    EXPECT_EQ(dated.substr(dated.size() - 4), ".123");
    const std::string seconds = records[6]["properties"]["kx_last_visit_date"];
    EXPECT_EQ(seconds.substr(seconds.size() - 4), ".000");
}

}  // namespace
}  // namespace tracker_tests
