#include <windows.h>

#include "platform/Mutex.h"

namespace platform {

NativeHandle CreateOwnedMutex(const std::wstring& name, bool& alreadyExisted) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex ? reinterpret_cast<NativeHandle>(mutex) : kNoHandle;
}

void ReleaseMutexHandle(NativeHandle handle, bool owned) {
    if (handle == kNoHandle) return;
    if (owned) ReleaseMutex(reinterpret_cast<HANDLE>(handle));
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace platform
