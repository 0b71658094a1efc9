#pragma once
#include <memory>

#include "analytics/tracker/UsageTracker.h"
#include "analytics/tracker/UsageTrackerImpl.h"

namespace varen::tracking {

// What the installer holds: every tracking call is guarded, so no error of
// the tracker ever reaches the installer; a failed call prints one line
// "Failed to <operation>" when the tracker got as far as its logger.
class UsageTrackerWrapper : public UsageTracker {
public:
    explicit UsageTrackerWrapper(std::unique_ptr<UsageTrackerImpl> impl);

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
    std::string getPrimaryDistinctId() override;
    // The logger stays the tracker's own.
    TrackLogger* getTrackLogger() override { return nullptr; }

private:
    template <typename Call>
    void Guarded(const char* operation, Call&& call);

    std::unique_ptr<UsageTrackerImpl> impl_;
};

}  // namespace varen::tracking
