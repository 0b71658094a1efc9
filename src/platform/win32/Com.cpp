#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>

#include "platform/Com.h"

namespace platform {

ComApartment::ComApartment()
    : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    if (initialized_) CoUninitialize();
}

}  // namespace platform
