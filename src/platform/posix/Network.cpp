#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include "platform/Network.h"

namespace platform {

Connectivity QueryConnectivity() {
    Connectivity result;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return result;
    result.available = true;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK)) {
            continue;
        }
        if (entry->ifa_addr->sa_family == AF_INET) result.flags |= kConnectivityIpv4Internet;
        if (entry->ifa_addr->sa_family == AF_INET6) result.flags |= kConnectivityIpv6Internet;
    }
    ::freeifaddrs(list);
    result.internet = result.flags != 0;
    return result;
}

}  // namespace platform
