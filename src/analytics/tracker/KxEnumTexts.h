#pragma once
// The texts the collector knows for each code; a code without a text raises
// KxException, so a record never carries a made-up value.
#include "analytics/tracker/KxEvents.h"

namespace varen::tracking {

const char* EditionText(int edition);
const char* UserTypeText(int userType);
const char* Text(KxResult result);
const char* Text(ClickType type);
const char* Text(KxIoType type);
const char* Text(KxCurrency currency);
const char* Text(KxPaidPlatform platform);
const char* Text(KxIapType type);
const char* Text(KxUpdateOp operation);
const char* Text(KxUpdateResult result);

}  // namespace varen::tracking
