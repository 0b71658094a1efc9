// Drives the analytics SDK from standard input, one command per line, and
// answers each with "ok" or "false":
//
//   telemetry-run --server URL --staging FILE
//
//   init DISTINCT_ID | track EVENT JSON | signup LOGIN_ID | profile_set JSON
//   profile_set_once JSON | profile_increment JSON | profile_append KEY VALUE
//   super JSON | flush | flushall | shutdown
//
// Commands that record something answer "false" only for input they cannot
// read; whether the SDK kept the record shows at the collector.
#include <curl/curl.h>

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "JsonProperties.h"
#include "analytics/sdk/Sdk.h"
#include "platform/Process.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"

namespace {

using telemetry::PropertiesNode;
using telemetry::Sdk;

struct Line {
    std::string command;
    std::string first;  // the word after the command
    std::string rest;   // everything after the command
    std::string afterFirst;
};

Line Split(const std::string& text) {
    Line line;
    const size_t space = text.find(' ');
    line.command = text.substr(0, space);
    if (space == std::string::npos) return line;
    line.rest = text.substr(space + 1);
    const size_t second = line.rest.find(' ');
    line.first = line.rest.substr(0, second);
    if (second != std::string::npos) line.afterFirst = line.rest.substr(second + 1);
    return line;
}

bool WithProperties(const std::string& json,
                    const std::function<void(const PropertiesNode&)>& use) {
    auto properties = ParseProperties(json);
    if (!properties) return false;
    use(*properties);
    return true;
}

bool Run(const Line& line, const std::string& server, const std::string& staging) {
    const std::string& c = line.command;
    if (c == "init") return Sdk::Init(staging, server, line.rest, false);
    if (c == "track") {
        return WithProperties(line.afterFirst,
                              [&](const PropertiesNode& p) { Sdk::Track(line.first, p); });
    }
    if (c == "signup") {
        Sdk::TrackSignup(line.rest);
        return true;
    }
    using ProfileOperation = void (*)(const PropertiesNode&);
    static const std::map<std::string, ProfileOperation> profiles = {
        {"profile_set", Sdk::ProfileSet},
        {"profile_set_once", Sdk::ProfileSetOnce},
        {"profile_increment", Sdk::ProfileIncrement},
        {"super", Sdk::MergeSuperProperties},
    };
    if (auto found = profiles.find(c); found != profiles.end()) {
        return WithProperties(line.rest, found->second);
    }
    if (c == "profile_append") {
        Sdk::ProfileAppend(line.first, line.afterFirst);
        return true;
    }
    if (c == "flush") return Sdk::Flush();
    if (c == "flushall") return Sdk::FlushAll();
    if (c == "shutdown") {
        Sdk::Shutdown();
        return true;
    }
    return false;
}

}  // namespace

int main() {
    // Wide arguments: the staging path may name a folder outside the ANSI code page.
    const std::vector<std::wstring> arguments = platform::ProcessArguments();
    std::string server, staging;
    for (size_t i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == L"--server") server = platform::ToUtf8(arguments[i + 1]);
        if (arguments[i] == L"--staging") staging = platform::ToUtf8(arguments[i + 1]);
    }
    if (server.empty() || staging.empty()) {
        std::cerr << "usage: telemetry-run --server URL --staging FILE" << std::endl;
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    for (std::string text; std::getline(std::cin, text);) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty()) continue;
        platform::WriteStandardOutput(Run(Split(text), server, staging) ? "ok\n" : "false\n");
    }
    curl_global_cleanup();
    return 0;
}
