#include "utils/NamedMutex.h"

#include "platform/Mutex.h"

namespace Utils {

void NamedMutex::Acquire() {
    if (handle != platform::kNoHandle) return;
    bool alreadyExisted = false;
    platform::NativeHandle created = platform::CreateOwnedMutex(kPrefix + name, alreadyExisted);
    if (alreadyExisted) {
        platform::ReleaseMutexHandle(created, false);
        return;
    }
    handle = created;
}

void NamedMutex::Release() {
    platform::ReleaseMutexHandle(handle, true);
    handle = platform::kNoHandle;
}

}  // namespace Utils
