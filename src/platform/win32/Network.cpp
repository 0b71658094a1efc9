#include <windows.h>
// After windows.h, which they build on.
#include <netlistmgr.h>
#include <objbase.h>

#include "platform/Network.h"

namespace platform {
namespace {

// Named here so that no import library for the interface ids is needed.
const CLSID kNetworkListManager = {
    0xDCB00C01, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
const IID kINetworkListManager = {
    0xDCB00000, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};

}  // namespace

Connectivity QueryConnectivity() {
    Connectivity result;
    INetworkListManager* manager = nullptr;
    if (FAILED(CoCreateInstance(kNetworkListManager, nullptr, CLSCTX_ALL, kINetworkListManager,
                                reinterpret_cast<void**>(&manager))) ||
        !manager) {
        return result;
    }
    result.available = true;
    NLM_CONNECTIVITY connectivity = NLM_CONNECTIVITY_DISCONNECTED;
    if (SUCCEEDED(manager->GetConnectivity(&connectivity))) {
        result.flags = static_cast<uint32_t>(connectivity);
    }
    if (result.flags != 0) {
        VARIANT_BOOL connected = VARIANT_FALSE;
        if (SUCCEEDED(manager->IsConnectedToInternet(&connected))) {
            result.internet = connected != VARIANT_FALSE;
        }
    }
    manager->Release();
    CoFreeUnusedLibraries();
    return result;
}

}  // namespace platform
