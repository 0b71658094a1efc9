#include "utils/Network.h"

#include "utils/DebugLog.h"

namespace Utils {

uint32_t EncodeNetworkVerdict(const platform::Connectivity& connectivity) {
    if (!connectivity.available) return 0;
    const uint32_t flags = connectivity.flags & 0xFFFF;
    if (flags == 0) return kNetworkNoConnectivity << 16;
    if (!connectivity.internet) return (kNetworkNoInternet << 16) | flags;
    return (kNetworkConnected << 16) | flags;
}

uint32_t CheckNetwork() {
    const platform::Connectivity connectivity = platform::QueryConnectivity();
    if (connectivity.available && connectivity.flags == 0) {
        DEBUG_LOG(L"GetConnectivity %d", connectivity.flags);
    } else if (connectivity.available && !connectivity.internet) {
        DEBUG_LOG(L"get_IsConnectedToInternet:%d", connectivity.internet ? 1 : 0);
    }
    return EncodeNetworkVerdict(connectivity);
}

}  // namespace Utils
