#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analytics/tracker/UsageTrackerImpl.h"
#include "support/TestSupport.h"

namespace tracker_tests {

using nlohmann::json;

// A tracker whose files live in a scratch folder and whose collector is a
// port nothing listens on: what it could not send reaches the staging file at
// shutdown, where the test reads the records back.
struct TrackerFixture : testing::Test {
    testing_support::ScratchDir dir;

    static varen::tracking::TrackerConfig Config(const std::string& serverUrl);
    varen::tracking::TrackerPaths Paths() const;
    // The tracker's folder for the application name of Config.
    std::string TrackerFolder() const;
    std::string StateFile() const;

    std::unique_ptr<varen::tracking::UsageTrackerImpl> Start(const std::string& serverUrl);
    // Ends the tracker and returns the records it kept, oldest first.
    std::vector<json> Finish(std::unique_ptr<varen::tracking::UsageTrackerImpl>& tracker);
    std::string UnsentUrl() const;

    void TearDown() override;
};

inline constexpr const char* kAppName = "Quillmark.downloader";

// The records of one action type ("track", "profile_set", ...).
std::vector<json> OfType(const std::vector<json>& records, const std::string& type);

// The event's properties less those every event carries (unless expected
// names them), compared with the expected ones key by key, with their JSON
// kind (string, integer, floating, boolean, list).
void ExpectOwnProperties(const json& properties, const json& expected);

// A click event with just a name.
varen::tracking::KxEventClick ClickNamed(const std::string& name);

std::string ReadIni(const std::string& file, const std::wstring& section, const std::wstring& key);

}  // namespace tracker_tests
