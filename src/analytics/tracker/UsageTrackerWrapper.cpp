#include "analytics/tracker/UsageTrackerWrapper.h"

#include <iostream>

namespace varen::tracking {

UsageTrackerWrapper::UsageTrackerWrapper(std::unique_ptr<UsageTrackerImpl> impl)
    : impl_(std::move(impl)) {}

template <typename Call>
void UsageTrackerWrapper::Guarded(const char* operation, Call&& call) {
    if (!impl_) return;
    try {
        call(*impl_);
    } catch (...) {
        if (impl_->getTrackLogger()) std::cout << "Failed to " << operation << std::endl;
    }
}

void UsageTrackerWrapper::trackActivity(const KxContextProperties& context) {
    Guarded("trackActivity", [&](UsageTrackerImpl& t) { t.trackActivity(context); });
}
void UsageTrackerWrapper::trackLaunch(const KxContextProperties& context) {
    Guarded("trackLaunch", [&](UsageTrackerImpl& t) { t.trackLaunch(context); });
}
void UsageTrackerWrapper::trackLogin(const KxUserInfo& user, bool success,
                                     const std::string& reason,
                                     const KxContextProperties& context) {
    Guarded("trackLogin",
            [&](UsageTrackerImpl& t) { t.trackLogin(user, success, reason, context); });
}
void UsageTrackerWrapper::trackClick(const KxEventClick& event,
                                     const KxContextProperties& context) {
    Guarded("trackClick", [&](UsageTrackerImpl& t) { t.trackClick(event, context); });
}
void UsageTrackerWrapper::trackView(const KxEventView& event, const KxContextProperties& context) {
    Guarded("trackView", [&](UsageTrackerImpl& t) { t.trackView(event, context); });
}
void UsageTrackerWrapper::trackCashier(const KxEventCashier& event,
                                       const KxContextProperties& context) {
    Guarded("trackCashier", [&](UsageTrackerImpl& t) { t.trackCashier(event, context); });
}
void UsageTrackerWrapper::trackShare(const KxEventShare& event,
                                     const KxContextProperties& context) {
    Guarded("trackShare", [&](UsageTrackerImpl& t) { t.trackShare(event, context); });
}
void UsageTrackerWrapper::trackTask(const KxEventTask& event, const KxContextProperties& context) {
    Guarded("trackTask", [&](UsageTrackerImpl& t) { t.trackTask(event, context); });
}
void UsageTrackerWrapper::trackFile(const KxEventFile& event, const KxContextProperties& context) {
    Guarded("trackFile", [&](UsageTrackerImpl& t) { t.trackFile(event, context); });
}
void UsageTrackerWrapper::trackOrder(const KxEventOrder& event,
                                     const KxContextProperties& context) {
    Guarded("trackOrder", [&](UsageTrackerImpl& t) { t.trackOrder(event, context); });
}
void UsageTrackerWrapper::trackPayment(const KxEventPayment& event,
                                       const KxContextProperties& context) {
    Guarded("trackPayment", [&](UsageTrackerImpl& t) { t.trackPayment(event, context); });
}
void UsageTrackerWrapper::trackUninstall(const std::string& reason,
                                         const KxContextProperties& context) {
    Guarded("trackUninstall", [&](UsageTrackerImpl& t) { t.trackUninstall(reason, context); });
}
void UsageTrackerWrapper::trackCrash(const std::string& reason) {
    Guarded("trackCrash", [&](UsageTrackerImpl& t) { t.trackCrash(reason); });
}
void UsageTrackerWrapper::trackUpdate(const KxEventUpdate& event,
                                      const KxContextProperties& context) {
    Guarded("trackUpdate", [&](UsageTrackerImpl& t) { t.trackUpdate(event, context); });
}
void UsageTrackerWrapper::trackAppOpenNotification(const KxAppOpenNotification* notification,
                                                   const KxContextProperties& context) {
    Guarded("trackAppOpenNotification",
            [&](UsageTrackerImpl& t) { t.trackAppOpenNotification(notification, context); });
}

void UsageTrackerWrapper::refreshLocaleProperties(const std::string& locale) {
    if (impl_) impl_->refreshLocaleProperties(locale);
}

std::string UsageTrackerWrapper::getPrimaryDistinctId() {
    return impl_ ? impl_->getPrimaryDistinctId() : std::string();
}

}  // namespace varen::tracking
