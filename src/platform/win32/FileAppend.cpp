#include <windows.h>

#include <vector>

#include "platform/FileAppend.h"

namespace platform {
namespace {

constexpr DWORD kBlockBytes = 1 << 20;

bool WriteAll(HANDLE out, const char* data, DWORD bytes) {
    while (bytes > 0) {
        DWORD written = 0;
        if (!WriteFile(out, data, bytes, &written, nullptr) || written == 0) return false;
        data += written;
        bytes -= written;
    }
    return true;
}

}  // namespace

bool AppendFile(const std::string& fromPath, const std::string& toPath) {
    HANDLE in = CreateFileA(fromPath.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (in == INVALID_HANDLE_VALUE) return false;
    HANDLE out = CreateFileA(toPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = out != INVALID_HANDLE_VALUE;
    std::vector<char> block(kBlockBytes);
    while (ok) {
        DWORD got = 0;
        ok = ReadFile(in, block.data(), kBlockBytes, &got, nullptr) != 0;
        if (!ok || got == 0) break;
        ok = WriteAll(out, block.data(), got);
    }
    if (out != INVALID_HANDLE_VALUE && !CloseHandle(out)) ok = false;
    CloseHandle(in);
    return ok;
}

}  // namespace platform
