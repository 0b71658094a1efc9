#include <windows.h>

#include "platform/StandardStreams.h"

namespace platform {

void WriteStandardOutput(std::string_view bytes) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return;
        }
        bytes.remove_prefix(written);
    }
}

NativeHandle StandardOutputHandle() {
    return reinterpret_cast<NativeHandle>(GetStdHandle(STD_OUTPUT_HANDLE));
}

}  // namespace platform
