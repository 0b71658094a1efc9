#include <unistd.h>

#include <cerrno>

#include "platform/StandardStreams.h"

namespace platform {

void WriteStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

NativeHandle StandardOutputHandle() {
    return STDOUT_FILENO;
}

}  // namespace platform
