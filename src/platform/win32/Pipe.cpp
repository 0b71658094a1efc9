#include <windows.h>

#include "platform/Pipe.h"

namespace platform {

bool CreatePipe(NativeHandle& readEnd, NativeHandle& writeEnd) {
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, nullptr, 0)) return false;
    readEnd = reinterpret_cast<NativeHandle>(read);
    writeEnd = reinterpret_cast<NativeHandle>(write);
    return true;
}

long ReadHandle(NativeHandle handle, void* buffer, size_t size) {
    DWORD read = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), buffer, static_cast<DWORD>(size), &read,
                  nullptr)) {
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    return static_cast<long>(read);
}

bool WaitReadable(NativeHandle handle, int timeoutMs) {
    constexpr DWORD kPollMs = 5;
    const DWORD started = GetTickCount();
    for (;;) {
        DWORD available = 0;
        // A failed peek (the writers are gone, or an error) is what a read reports at once.
        if (!PeekNamedPipe(reinterpret_cast<HANDLE>(handle), nullptr, 0, nullptr, &available,
                           nullptr) ||
            available > 0) {
            return true;
        }
        const DWORD waited = GetTickCount() - started;
        if (timeoutMs <= 0 || waited >= static_cast<DWORD>(timeoutMs)) return false;
        const DWORD left = static_cast<DWORD>(timeoutMs) - waited;
        Sleep(left < kPollMs ? left : kPollMs);
    }
}

long WriteHandle(NativeHandle handle, const void* data, size_t size) {
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(handle), data, static_cast<DWORD>(size), &written,
                   nullptr)) {
        return -1;
    }
    return static_cast<long>(written);
}

void CloseHandle(NativeHandle& handle) {
    if (handle != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
    handle = kNoHandle;
}

}  // namespace platform
