#pragma once
// The properties of each event record, in the order the collector's reports
// were built against; every check raises KxException and records nothing.
#include "analytics/sdk/PropertiesNode.h"
#include "analytics/tracker/KxEvents.h"

namespace varen::tracking {

telemetry::PropertiesNode ClickProperties(const KxEventClick& event);
telemetry::PropertiesNode ViewProperties(const KxEventView& event);
telemetry::PropertiesNode CashierProperties(const KxEventCashier& event);
telemetry::PropertiesNode ShareProperties(const KxEventShare& event);
telemetry::PropertiesNode TaskProperties(const KxEventTask& event);
telemetry::PropertiesNode FileProperties(const KxEventFile& event);
telemetry::PropertiesNode OrderProperties(const KxEventOrder& event);
telemetry::PropertiesNode PaymentProperties(const KxEventPayment& event);
telemetry::PropertiesNode UpdateProperties(const KxEventUpdate& event);
telemetry::PropertiesNode NotificationProperties(const KxAppOpenNotification* notification);

}  // namespace varen::tracking
