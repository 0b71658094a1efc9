#pragma once
#include <memory>
#include <string>

#include "analytics/sdk/PropertiesNode.h"
#include "analytics/tracker/NativeTrackLogger.h"
#include "analytics/tracker/TrackerState.h"
#include "analytics/tracker/UsageTracker.h"

namespace varen::tracking {

struct TrackerConfig {
    std::string appName;
    std::string appVersion;
    std::string appStore;
    std::string dlAppId;
    std::string dlAppVersion;
    std::string logFilePath;  // empty: beside the state file
    int edition = 0;          // 0 "china", 1 "overseas"
    std::string serverUrl;    // empty: the default collector
};

// Where the tracker looks for its files: the installer's settings file that
// may name the state file, and the base folder used otherwise.
struct TrackerPaths {
    std::wstring settingsFile;
    std::string specialFolder;

    // "Set.ini" beside the running executable and the user's data folder.
    static TrackerPaths FromSystem();
};

inline constexpr const char* kDefaultCollectorUrl =
    "https://analytics.quillmark-reader.example/sa?project=pc";

// The tracker itself. It has no lock: its callers keep to one call at a time.
class UsageTrackerImpl : public UsageTracker {
public:
    explicit UsageTrackerImpl(const TrackerConfig& config,
                              TrackerPaths paths = TrackerPaths::FromSystem());
    UsageTrackerImpl(const UsageTrackerImpl&) = delete;
    UsageTrackerImpl& operator=(const UsageTrackerImpl&) = delete;
    // Saves the state, sends what is waiting and ends the SDK.
    ~UsageTrackerImpl() override;

    // Identity, files, SDK and super properties; raises KxException on a
    // missing application name, version or store, and when the SDK refuses.
    void Init();

    void trackActivity(const KxContextProperties& context) override;
    void trackLaunch(const KxContextProperties& context) override;
    void trackLogin(const KxUserInfo& user, bool success, const std::string& reason,
                    const KxContextProperties& context) override;
    void trackClick(const KxEventClick& event, const KxContextProperties& context) override;
    void trackView(const KxEventView& event, const KxContextProperties& context) override;
    void trackCashier(const KxEventCashier& event, const KxContextProperties& context) override;
    void trackShare(const KxEventShare& event, const KxContextProperties& context) override;
    void trackTask(const KxEventTask& event, const KxContextProperties& context) override;
    void trackFile(const KxEventFile& event, const KxContextProperties& context) override;
    void trackOrder(const KxEventOrder& event, const KxContextProperties& context) override;
    void trackPayment(const KxEventPayment& event, const KxContextProperties& context) override;
    void trackUninstall(const std::string& reason, const KxContextProperties& context) override;
    void trackCrash(const std::string& reason) override;
    void trackUpdate(const KxEventUpdate& event, const KxContextProperties& context) override;
    void trackAppOpenNotification(const KxAppOpenNotification* notification,
                                  const KxContextProperties& context) override;
    void refreshLocaleProperties(const std::string& locale) override;
    std::string getPrimaryDistinctId() override { return state_.primaryDistinctId; }
    TrackLogger* getTrackLogger() override { return logger_.get(); }

    const TrackerState& state() const { return state_; }

private:
    enum class Send { Now, Later };

    void SettleFolder();
    void SettleIdentity();
    telemetry::PropertiesNode LocaleProperties() const;
    void TrackWithContext(const char* eventName, telemetry::PropertiesNode properties,
                          const KxContextProperties& context, int eventType);
    void VisitDates();
    void ScheduleFlush(Send send);
    bool TryFlushAll();

    std::string serverUrl_;
    std::string appName_, appVersion_, appStore_;
    std::string dlAppId_, dlAppVersion_;
    int edition_;
    TrackerPaths paths_;
    std::unique_ptr<NativeTrackLogger> logger_;
    TrackerState state_;
};

}  // namespace varen::tracking
