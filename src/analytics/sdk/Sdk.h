#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "analytics/sdk/PropertiesNode.h"
#include "analytics/sdk/RecordStore.h"

namespace telemetry {

// The process's one analytics client. Every operation but Init does nothing
// until Init has made it. Its state is not locked: callers keep to one thread
// at a time (the record store locks its own queue).
class Sdk {
public:
    // False, creating nothing, when the distinct id fails its check. A second
    // Init keeps the first client as it is.
    static bool Init(const std::string& stagingFile, const std::string& serverUrl,
                     const std::string& distinctId, bool isLoginId);

    static void Track(const std::string& eventName, const PropertiesNode& properties);
    static void TrackWithInstallSource(const std::string& eventName,
                                       const PropertiesNode& properties);
    static void TrackSignup(const std::string& loginId);

    static void ProfileSet(const PropertiesNode& properties);
    static void ProfileSet(const std::string& key, const std::string& value);
    static void ProfileSet(const std::string& key, int32_t value);
    static void ProfileSet(const std::string& key, double value);
    static void ProfileSetOnce(const PropertiesNode& properties);
    static void ProfileSetOnce(const std::string& key, const std::string& value);
    static void ProfileSetOnce(const std::string& key, int32_t value);
    static void ProfileSetOnce(const std::string& key, double value);
    static void ProfileIncrement(const PropertiesNode& properties);
    static void ProfileIncrement(const std::string& key, int32_t value);
    static void ProfileAppend(const std::string& key, const std::string& value);

    static void MergeSuperProperties(const PropertiesNode& properties);
    static void ResetSuperProperties();

    // One batch; true when nothing was waiting or it was accepted.
    static bool Flush();
    static bool FlushAll();
    // Keeps what was not sent for the next run and ends the client.
    static void Shutdown();

private:
    Sdk(const std::string& stagingFile, const std::string& serverUrl, std::string distinctId,
        bool isLoginId);

    void Build(const std::string& actionType, const std::string& eventName,
               const PropertiesNode& properties, const std::string& distinctId,
               const std::string& originalId);
    void Profile(const std::string& actionType, const PropertiesNode& properties);

    static std::unique_ptr<Sdk> instance_;

    PropertiesNode superProperties_;
    std::string distinctId_;
    bool isLoginId_;
    RecordStore store_;
};

}  // namespace telemetry
