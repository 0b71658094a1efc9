#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/FileAppend.h"

namespace platform {
namespace {

constexpr size_t kBlockBytes = 1 << 20;

bool WriteAll(int out, const char* data, size_t bytes) {
    while (bytes > 0) {
        const ssize_t n = ::write(out, data, bytes);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

// From the current offsets of both files to the end of the first.
bool CopyByReading(int in, int out) {
    std::vector<char> block(kBlockBytes);
    for (;;) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAll(out, block.data(), static_cast<size_t>(n))) return false;
    }
}

bool CopyInKernel(int in, int out) {
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kBlockBytes * 16, 0);
        if (n > 0) continue;
        if (n == 0) return true;
        if (errno == EINTR) continue;
        // Both offsets have moved past what was copied, so reading carries on from there.
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
            return CopyByReading(in, out);
        }
        return false;
    }
}

}  // namespace

bool AppendFile(const std::string& fromPath, const std::string& toPath) {
    const int in = ::open(fromPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    // Not O_APPEND, which copy_file_range refuses: the offset starts at the end instead.
    const int out = ::open(toPath.c_str(), O_WRONLY | O_CLOEXEC);
    bool ok = out >= 0 && ::lseek(out, 0, SEEK_END) >= 0 && CopyInKernel(in, out);
    if (out >= 0 && ::close(out) != 0) ok = false;
    ::close(in);
    return ok;
}

}  // namespace platform
