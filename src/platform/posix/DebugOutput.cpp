#include <unistd.h>

#include <string>

#include "platform/Text.h"

namespace platform {

void WriteDebugChannel(const std::wstring& line) {
    // One write per line keeps lines of different threads whole.
    const std::string text = ToUtf8(line);
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = ::write(STDERR_FILENO, text.data() + written, text.size() - written);
        if (n <= 0) return;
        written += static_cast<size_t>(n);
    }
}

}  // namespace platform
