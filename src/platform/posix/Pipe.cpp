#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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

bool WaitReadable(NativeHandle handle, int timeoutMs) {
    pollfd watched = {static_cast<int>(handle), POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&watched, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    // An error or hang-up is something a read reports at once.
    return ready != 0;
}

long WriteHandle(NativeHandle handle, const void* data, size_t size) {
    // A reader that has gone away must give an error, as on Win32, not a
    // SIGPIPE that ends this process: the signal is held back for the write
    // and the one it raised is taken off again.
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    ssize_t n;
    do {
        n = ::write(static_cast<int>(handle), data, size);
    } while (n < 0 && errno == EINTR);
    if (n < 0 && errno == EPIPE && !alreadyPending) {
        const timespec noWait{};
        while (::sigtimedwait(&pipeSignal, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return static_cast<long>(n);
}

void CloseHandle(NativeHandle& handle) {
    if (handle != kNoHandle) ::close(static_cast<int>(handle));
    handle = kNoHandle;
}

}  // namespace platform
