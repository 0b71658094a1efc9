#pragma once
#include <cstdint>

#include "platform/Network.h"

namespace Utils {

// Verdicts in the high 16 bits of CheckNetwork's answer.
constexpr uint32_t kNetworkConnected = 0;
constexpr uint32_t kNetworkNoConnectivity = 1;
constexpr uint32_t kNetworkNoInternet = 2;

// The answer for what the system reported: the connectivity flags in the low
// 16 bits, the verdict in the high 16 bits; 0 when the system could not be asked.
uint32_t EncodeNetworkVerdict(const platform::Connectivity& connectivity);

// Asks the system whether this machine reaches the Internet. On Win32 the
// calling thread must have initialised COM.
uint32_t CheckNetwork();

}  // namespace Utils
