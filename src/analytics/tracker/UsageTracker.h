#pragma once
#include <string>

#include "analytics/tracker/KxContextProperties.h"
#include "analytics/tracker/KxEvents.h"
#include "analytics/tracker/TrackLogger.h"

namespace varen::tracking {

// The installer's typed analytics operations, one per kind of event. The
// order of the operations is part of the interface.
class UsageTracker {
public:
    virtual ~UsageTracker() = default;
    virtual void trackActivity(const KxContextProperties& context) = 0;
    virtual void trackLaunch(const KxContextProperties& context) = 0;
    virtual void trackLogin(const KxUserInfo& user, bool success, const std::string& reason,
                            const KxContextProperties& context) = 0;
    virtual void trackClick(const KxEventClick& event, const KxContextProperties& context) = 0;
    virtual void trackView(const KxEventView& event, const KxContextProperties& context) = 0;
    virtual void trackCashier(const KxEventCashier& event, const KxContextProperties& context) = 0;
    virtual void trackShare(const KxEventShare& event, const KxContextProperties& context) = 0;
    virtual void trackTask(const KxEventTask& event, const KxContextProperties& context) = 0;
    virtual void trackFile(const KxEventFile& event, const KxContextProperties& context) = 0;
    virtual void trackOrder(const KxEventOrder& event, const KxContextProperties& context) = 0;
    virtual void trackPayment(const KxEventPayment& event, const KxContextProperties& context) = 0;
    virtual void trackUninstall(const std::string& reason, const KxContextProperties& context) = 0;
    virtual void trackCrash(const std::string& reason) = 0;
    virtual void trackUpdate(const KxEventUpdate& event, const KxContextProperties& context) = 0;
    virtual void trackAppOpenNotification(const KxAppOpenNotification* notification,
                                          const KxContextProperties& context) = 0;
    virtual void refreshLocaleProperties(const std::string& locale) = 0;
    virtual std::string getPrimaryDistinctId() = 0;
    virtual TrackLogger* getTrackLogger() = 0;
};

}  // namespace varen::tracking
