#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Pipe.h"

namespace platform {

bool CreatePipe(NativeHandle& readEnd, NativeHandle& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    readEnd = fds[0];
    writeEnd = fds[1];
    return true;
}

long ReadHandle(NativeHandle handle, void* buffer, size_t size) {
    ssize_t n;
    do {
        n = ::read(static_cast<int>(handle), buffer, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

long WriteHandle(NativeHandle handle, const void* data, size_t size) {
    ssize_t n;
    do {
        n = ::write(static_cast<int>(handle), data, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

void CloseHandle(NativeHandle& handle) {
    if (handle != kNoHandle) ::close(static_cast<int>(handle));
    handle = kNoHandle;
}

}  // namespace platform
