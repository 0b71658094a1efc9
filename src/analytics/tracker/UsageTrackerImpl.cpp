#include "analytics/tracker/UsageTrackerImpl.h"

#include <chrono>
#include <string_view>
#include <thread>

#include "analytics/sdk/Clock.h"
#include "analytics/sdk/Sdk.h"
#include "analytics/tracker/DeviceDescription.h"
#include "analytics/tracker/EnsureUtf8.h"
#include "analytics/tracker/EventCatalogue.h"
#include "analytics/tracker/KxEnumTexts.h"
#include "analytics/tracker/KxException.h"
#include "analytics/tracker/KxPropertyKeys.h"
#include "analytics/tracker/NativeUserTracker.h"
#include "analytics/tracker/TrackerFiles.h"
#include "platform/DeviceInfo.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace varen::tracking {
namespace {

using telemetry::PropertiesNode;
using telemetry::Sdk;

constexpr int kFlushTries = 3;

void SleepOneMillisecond() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

[[noreturn]] void InitFails(const char* message) {
    throw KxException(message, kImplSource, "init", __LINE__);
}

void SetIfSet(PropertiesNode& node, const char* key, const std::string& value) {
    if (!value.empty()) node.SetString(key, value);
}

// The application name names the tracker's folder and files; a name suffix
// from the command line must not lead them out of that folder.
std::string FileNamePart(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return safe == ".." || safe == "." ? "_" : safe;
}

}  // namespace

TrackerPaths TrackerPaths::FromSystem() {
    const std::wstring folder = platform::FolderPart(platform::ModuleFileName());
    return {platform::JoinPath(folder, L"Set.ini"), GetSpecialFolder()};
}

UsageTrackerImpl::UsageTrackerImpl(const TrackerConfig& config, TrackerPaths paths)
    : serverUrl_(EnsureUtf8(config.serverUrl)),
      appName_(EnsureUtf8(config.appName)),
      appVersion_(EnsureUtf8(config.appVersion)),
      appStore_(EnsureUtf8(config.appStore)),
      dlAppId_(EnsureUtf8(config.dlAppId)),
      dlAppVersion_(EnsureUtf8(config.dlAppVersion)),
      edition_(config.edition),
      paths_(std::move(paths)) {
    state_.logFilePath = EnsureUtf8(config.logFilePath);
}

UsageTrackerImpl::~UsageTrackerImpl() {
    SaveState(state_);
    if (state_.pendingSends.load() > 0) TryFlushAll();
    Sdk::Shutdown();
    if (logger_) logger_->Close();
    logger_.reset();
}

void UsageTrackerImpl::Init() {
    if (appName_.empty()) InitFails("appName is empty");
    if (appVersion_.empty()) InitFails("appVersion is empty");
    if (appStore_.empty()) InitFails("appStore is empty");
    state_.pendingSends = 0;
    SettleFolder();
    if (serverUrl_.empty()) serverUrl_ = kDefaultCollectorUrl;
    SettleIdentity();

    if (state_.logFilePath.empty() && !state_.folder.empty()) {
        state_.logFilePath = JoinUtf8Path(state_.folder, FileNamePart(appName_) + "_KXSLog.txt");
    }
    logger_ = std::make_unique<NativeTrackLogger>();
    if (!state_.logFilePath.empty()) logger_->Open(state_.logFilePath);

    // Unsent records wait for the next run in a file of their own.
    const std::string staging =
        state_.folder.empty()
            ? ""
            : JoinUtf8Path(state_.folder, FileNamePart(appName_) + "_KXSStaging.txt");
    const bool loggedIn = state_.loggedIn;
    if (!Sdk::Init(staging, serverUrl_, loggedIn ? state_.userId : state_.distinctId, loggedIn)) {
        InitFails("telemetry::Sdk::Init is failed");
    }

    PropertiesNode super;
    super.SetString(keys::kAppId, appName_);
    super.SetString(keys::kAppVersion, appVersion_);
    super.SetString(keys::kAppIdSys, appName_);
    super.SetString(keys::kAppStore, appStore_);
    super.SetString(keys::kEdition, EditionText(edition_));
    SetIfSet(super, keys::kDlAppId, dlAppId_);
    SetIfSet(super, keys::kDlAppVersion, dlAppVersion_);
    super.SetString(keys::kAppPlatform, keys::kPlatformValue);
    super.SetString(keys::kTrackType, keys::kTrackTypeValue);
    super.SetString(keys::kSdkVersion, keys::kSdkVersionValue);
    super.SetString(keys::kSdk, keys::kSdkValue);
    const OsNameAndVersion os = GetOsNameAndVersion();
    super.SetString(keys::kOs, os.name);
    super.SetString(keys::kOsVersion, os.version);
    super.MergeFrom(LocaleProperties());
    int width = 0, height = 0;
    platform::PrimaryScreenSize(width, height);
    super.SetInt(keys::kScreenHeight, height);
    super.SetInt(keys::kScreenWidth, width);
    SetIfSet(super, keys::kUserId, state_.userId);
    Sdk::MergeSuperProperties(super);

    WriteAppInfo(state_, appStore_, appName_, appVersion_);
}

// The state file named by the installer's settings, or one of the tracker's
// own under the user's data folder. Without any base folder nothing is kept.
void UsageTrackerImpl::SettleFolder() {
    const std::string named = StateFileFromSettings(paths_.settingsFile);
    const size_t last = named.find_last_of("\\/");
    if (last != std::string::npos) {
        state_.stateFilePath = named;
        state_.folder = named.substr(0, last);
        CreateFolderPath(state_.folder);
        return;
    }
    if (paths_.specialFolder.empty()) return;
    const std::string name = FileNamePart(appName_);
    const std::string folder = JoinUtf8Path(JoinUtf8Path(paths_.specialFolder, "KXLocal"), name);
    CreateFolderPath(folder);
    state_.folder = folder;
    state_.stateFilePath = JoinUtf8Path(folder, name + "_KXSConfigure.ini");
}

void UsageTrackerImpl::SettleIdentity() {
    LoadState(state_);
    if (state_.storedUrl != serverUrl_ || state_.distinctId.empty()) {
        // Another collector knows nothing of this user.
        state_.userId.clear();
        state_.loggedIn = false;
        if (state_.primaryDistinctId.empty()) {
            state_.distinctId = NewDistinctId();
            state_.primaryDistinctId = state_.distinctId;
        } else {
            state_.distinctId = state_.primaryDistinctId;
        }
        state_.storedUrl = serverUrl_;
        SaveState(state_);
    }
    if (state_.userId.empty()) state_.loggedIn = false;
}

PropertiesNode UsageTrackerImpl::LocaleProperties() const {
    LocaleTexts texts;
    const std::string& override = state_.localeOverride;
    const size_t underscore = override.find('_');
    if (underscore != std::string::npos && underscore > 0) {
        texts = {override.substr(0, underscore), override.substr(underscore + 1), override};
    } else {
        texts = GetLocale();
    }
    PropertiesNode node;
    node.SetString(keys::kLocale, texts.locale);
    node.SetString(keys::kLanguage, texts.language);
    node.SetString(keys::kCountry, texts.country);
    return node;
}

void UsageTrackerImpl::TrackWithContext(const char* eventName, PropertiesNode properties,
                                        const KxContextProperties& context, int eventType) {
    MergeContextProperties(context, eventType, properties);
    Sdk::Track(eventName, properties);
}

void UsageTrackerImpl::VisitDates() {
    const int64_t now = telemetry::NowMilliseconds();
    NativeUserTracker::ProfileUserPropertyDateTime(keys::kFirstVisitTime, now);
    NativeUserTracker::ProfileUserPropertyDateTime(keys::kFirstVisitDate, now);
    NativeUserTracker::ProfileUserPropertyDateTime(keys::kLastVisitDate, now);
}

void UsageTrackerImpl::trackActivity(const KxContextProperties& context) {
    PropertiesNode properties;
    MergeContextProperties(context, kEventActivity, properties);
    SetIfSet(properties, keys::kAppStore, appStore_);
    if (!appName_.empty()) {
        properties.SetString(keys::kAppId, appName_);
        properties.SetString(keys::kAppIdSys, appName_);
    }
    SetIfSet(properties, keys::kAppVersion, appVersion_);
    properties.SetString(keys::kInstallSource, keys::kInstallSourceValue);
    SetIfSet(properties, keys::kUserAgent, GetUserAgent());
    properties.SetBool(keys::kIsFirstTime, true);
    const OsNameAndVersion os = GetOsNameAndVersion();
    properties.SetString(keys::kOs, os.name);
    properties.SetString(keys::kOsVersion, os.version);
    Sdk::TrackWithInstallSource("KxEventActivity", properties);

    VisitDates();
    NativeUserTracker::ProfileUserPropertyString(keys::kProfileOs, os.name);
    NativeUserTracker::ProfileUserPropertyString(keys::kProfileOsVersion, os.version);
    NativeUserTracker::ProfileUserPropertyString(keys::kAppStore, appStore_);
    NativeUserTracker::ProfileUserPropertyString(keys::kAppPlatform, keys::kPlatformValue);
    NativeUserTracker::ProfileUserPropertyString(keys::kLastAppId, appName_);
    NativeUserTracker::ProfileUserPropertyString(keys::kLastAppVersion, appVersion_);
    NativeUserTracker::ProfileUserPropertyString(keys::kInstallSource, keys::kInstallSourceValue);
    state_.pendingSends += 9;
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackLaunch(const KxContextProperties& context) {
    TrackWithContext("KxEventLaunch", PropertiesNode(), context, kEventLaunch);
    if (!state_.userId.empty()) {
        VisitDates();
        state_.pendingSends += 4;
    }
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackLogin(const KxUserInfo& user, bool success, const std::string& reason,
                                  const KxContextProperties& context) {
    PropertiesNode properties;
    SetIfSet(properties, keys::kUserId, user.userId);
    SetIfSet(properties, "kx_login_id", user.userId);
    properties.SetString("kx_type", UserTypeText(user.userType));
    properties.SetString("kx_result", success ? "Success" : "Fail");
    SetIfSet(properties, "kx_reason", EnsureUtf8(reason));
    if (!user.userId.empty()) properties.SetBool(keys::kIsFirstTime, true);
    TrackWithContext("KxEventLogin", std::move(properties), context, kEventLogin);

    if (!user.userId.empty()) {
        state_.vipLevel = user.vipLevel;
        if (!state_.loggedIn || state_.userId.empty()) {
            Sdk::TrackSignup(user.userId);
            state_.loggedIn = true;
            state_.userId = user.userId;
            state_.distinctId = user.userId;
            PropertiesNode super;
            super.SetString(keys::kUserId, user.userId);
            Sdk::MergeSuperProperties(super);
        }
        SaveState(state_);
    }
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackClick(const KxEventClick& event, const KxContextProperties& context) {
    TrackWithContext("KxEventClick", ClickProperties(event), context, kEventClick);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackView(const KxEventView& event, const KxContextProperties& context) {
    TrackWithContext("KxEventView", ViewProperties(event), context, kEventView);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackCashier(const KxEventCashier& event,
                                    const KxContextProperties& context) {
    TrackWithContext("KxEventCashier", CashierProperties(event), context, kEventCashier);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackShare(const KxEventShare& event, const KxContextProperties& context) {
    TrackWithContext("KxEventShare", ShareProperties(event), context, kEventShare);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackTask(const KxEventTask& event, const KxContextProperties& context) {
    TrackWithContext("KxEventTask", TaskProperties(event), context, kEventTask);
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackFile(const KxEventFile& event, const KxContextProperties& context) {
    TrackWithContext("KxEventFile", FileProperties(event), context, kEventFile);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackOrder(const KxEventOrder& event, const KxContextProperties& context) {
    TrackWithContext("KxEventOrder", OrderProperties(event), context, kEventOrder);
    state_.pendingSends += 1;
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::trackPayment(const KxEventPayment& event,
                                    const KxContextProperties& context) {
    TrackWithContext("KxEventPayment", PaymentProperties(event), context, kEventPayment);
    const int64_t now = telemetry::NowMilliseconds();
    NativeUserTracker::ProfileUserPropertyNumber(keys::kPaidCount, 1);
    NativeUserTracker::ProfileUserPropertyNumber(keys::kConsumption,
                                                 static_cast<double>(event.paidAmount));
    NativeUserTracker::ProfileUserPropertyDateTime(keys::kFirstPaidDate, now);
    NativeUserTracker::ProfileUserPropertyDateTime(keys::kLastPaidDate, now);
    state_.pendingSends += 4;
    if (event.result == KxResult::Success) {
        state_.vipLevel = 1;
        SaveState(state_);
    }
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackUninstall(const std::string& reason,
                                      const KxContextProperties& context) {
    PropertiesNode properties;
    SetIfSet(properties, "kx_uninstall_reason", EnsureUtf8(reason));
    TrackWithContext("KxEventUninstall", std::move(properties), context, kEventUninstall);
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackCrash(const std::string& reason) {
    PropertiesNode properties;
    SetIfSet(properties, "app_crashed_reason", EnsureUtf8(reason));
    Sdk::Track("AppCrashed", properties);
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackUpdate(const KxEventUpdate& event, const KxContextProperties& context) {
    TrackWithContext("KxEventUpdate", UpdateProperties(event), context, kEventUpdate);
    ScheduleFlush(Send::Now);
}

void UsageTrackerImpl::trackAppOpenNotification(const KxAppOpenNotification* notification,
                                                const KxContextProperties& context) {
    TrackWithContext("AppOpenNotification", NotificationProperties(notification), context,
                     kEventAppOpenNotification);
    ScheduleFlush(Send::Later);
}

void UsageTrackerImpl::refreshLocaleProperties(const std::string& locale) {
    state_.localeOverride = EnsureUtf8(locale);
    Sdk::MergeSuperProperties(LocaleProperties());
}

// Records are queued already; the counter only says that something waits.
// "Now" sends only when something does, so a "now" event alone stays queued
// until the next send.
void UsageTrackerImpl::ScheduleFlush(Send send) {
    if (send == Send::Now) {
        if (state_.pendingSends.load() > 0) TryFlushAll();
        return;
    }
    SleepOneMillisecond();
    state_.pendingSends += 1;
}

bool UsageTrackerImpl::TryFlushAll() {
    for (int attempt = 0; attempt < kFlushTries; ++attempt) {
        if (Sdk::FlushAll()) {
            state_.pendingSends.exchange(0);
            return true;
        }
        SleepOneMillisecond();
    }
    return false;
}

}  // namespace varen::tracking
