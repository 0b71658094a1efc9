#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Mutex.h"
#include "platform/Text.h"

namespace platform {

// A lock file under $XDG_RUNTIME_DIR (else /tmp), held with flock for as long as
// the descriptor stays open; the kernel drops the lock when the process ends.
NativeHandle CreateOwnedMutex(const std::wstring& name, bool& alreadyExisted) {
    alreadyExisted = false;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime && *runtime ? runtime : "/tmp";
    std::string file = ToUtf8(name);
    for (char& c : file) {
        if (c == '/') c = '_';
    }
    std::string path = folder + "/" + file + ".lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return kNoHandle;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) alreadyExisted = true;
    return fd;
}

void ReleaseMutexHandle(NativeHandle handle, bool owned) {
    if (handle == kNoHandle) return;
    if (owned) ::flock(static_cast<int>(handle), LOCK_UN);
    ::close(static_cast<int>(handle));
}

}  // namespace platform
