#pragma once
#include <cstdint>

namespace platform {

// Connectivity flags as the Windows network list manager reports them.
constexpr uint32_t kConnectivityIpv4Internet = 0x40;
constexpr uint32_t kConnectivityIpv6Internet = 0x400;

struct Connectivity {
    bool available = false;  // false: the system could not be asked
    uint32_t flags = 0;      // 0: no connectivity at all
    bool internet = false;
};

// Win32: the network list manager (COM must be initialised on the calling
// thread). POSIX: an up, non-loopback interface with an IPv4 or IPv6 address
// counts as a connection to the Internet through that protocol.
Connectivity QueryConnectivity();

}  // namespace platform
