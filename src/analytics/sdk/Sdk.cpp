#include "analytics/sdk/Sdk.h"

#include <cstdlib>
#include <ctime>

#include "analytics/sdk/Checks.h"
#include "analytics/sdk/LibraryInfo.h"
#include "analytics/sdk/RecordBuilder.h"

namespace telemetry {

std::unique_ptr<Sdk> Sdk::instance_;

namespace {

template <typename Value>
PropertiesNode OneProperty(const std::string& key, const Value& value);

template <>
PropertiesNode OneProperty(const std::string& key, const std::string& value) {
    PropertiesNode node;
    node.SetString(key, value);
    return node;
}

template <>
PropertiesNode OneProperty(const std::string& key, const int32_t& value) {
    PropertiesNode node;
    node.SetInt(key, value);
    return node;
}

template <>
PropertiesNode OneProperty(const std::string& key, const double& value) {
    PropertiesNode node;
    node.SetNumber(key, value);
    return node;
}

}  // namespace

Sdk::Sdk(const std::string& stagingFile, const std::string& serverUrl, std::string distinctId,
         bool isLoginId)
    : distinctId_(std::move(distinctId)), isLoginId_(isLoginId), store_(stagingFile, serverUrl) {
    superProperties_.SetString("$lib", kLibraryName);
    superProperties_.SetString("$lib_version", kLibraryVersion);
}

bool Sdk::Init(const std::string& stagingFile, const std::string& serverUrl,
               const std::string& distinctId, bool isLoginId) {
    if (!checks::CheckId(distinctId, "Distinct ID")) return false;
    if (!instance_) {
        instance_.reset(new Sdk(stagingFile, serverUrl, distinctId, isLoginId));
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
    return true;
}

void Sdk::Build(const std::string& actionType, const std::string& eventName,
                const PropertiesNode& properties, const std::string& distinctId,
                const std::string& originalId) {
    const RecordRequest request{actionType, eventName, &properties, distinctId, originalId};
    if (auto record = BuildRecord(request, {superProperties_, isLoginId_})) store_.Add(*record);
}

void Sdk::Profile(const std::string& actionType, const PropertiesNode& properties) {
    Build(actionType, "", properties, distinctId_, "");
}

void Sdk::Track(const std::string& eventName, const PropertiesNode& properties) {
    if (instance_) instance_->Build("track", eventName, properties, instance_->distinctId_, "");
}

void Sdk::TrackWithInstallSource(const std::string& eventName, const PropertiesNode& properties) {
    PropertiesNode withSource;
    withSource.SetString("$ios_install_source", "");
    withSource.MergeFrom(properties);
    Track(eventName, withSource);
}

void Sdk::TrackSignup(const std::string& loginId) {
    if (!instance_) return;
    Sdk& sdk = *instance_;
    sdk.Build("track_signup", "$SignUp", PropertiesNode(), loginId, sdk.distinctId_);
    sdk.distinctId_ = loginId;
    sdk.isLoginId_ = true;
}

void Sdk::ProfileSet(const PropertiesNode& properties) {
    if (instance_) instance_->Profile("profile_set", properties);
}
void Sdk::ProfileSet(const std::string& key, const std::string& value) {
    ProfileSet(OneProperty(key, value));
}
void Sdk::ProfileSet(const std::string& key, int32_t value) {
    ProfileSet(OneProperty(key, value));
}
void Sdk::ProfileSet(const std::string& key, double value) {
    ProfileSet(OneProperty(key, value));
}

void Sdk::ProfileSetOnce(const PropertiesNode& properties) {
    if (instance_) instance_->Profile("profile_set_once", properties);
}
void Sdk::ProfileSetOnce(const std::string& key, const std::string& value) {
    ProfileSetOnce(OneProperty(key, value));
}
void Sdk::ProfileSetOnce(const std::string& key, int32_t value) {
    ProfileSetOnce(OneProperty(key, value));
}
void Sdk::ProfileSetOnce(const std::string& key, double value) {
    ProfileSetOnce(OneProperty(key, value));
}

void Sdk::ProfileIncrement(const PropertiesNode& properties) {
    if (instance_) instance_->Profile("profile_increment", properties);
}
void Sdk::ProfileIncrement(const std::string& key, int32_t value) {
    ProfileIncrement(OneProperty(key, value));
}

void Sdk::ProfileAppend(const std::string& key, const std::string& value) {
    if (!instance_) return;
    PropertiesNode properties;
    properties.SetList(key, {value});
    instance_->Profile("profile_append", properties);
}

void Sdk::MergeSuperProperties(const PropertiesNode& properties) {
    if (instance_) instance_->superProperties_.MergeFrom(properties);
}

void Sdk::ResetSuperProperties() {
    if (!instance_) return;
    PropertiesNode& super = instance_->superProperties_;
    super.Clear();
    super.SetString("$lib", kLibraryName);
    super.SetString("$lib_version", kLibraryVersion);
}

bool Sdk::Flush() {
    return instance_ ? instance_->store_.Flush() : false;
}

bool Sdk::FlushAll() {
    return instance_ ? instance_->store_.FlushAll() : false;
}

void Sdk::Shutdown() {
    if (!instance_) return;
    instance_->store_.Close();
    instance_.reset();
}

}  // namespace telemetry
