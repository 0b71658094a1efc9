#pragma once
// The system's own URL download into a file (Win32: URLDownloadToFileW with a
// bind-status callback; POSIX: a small libcurl transfer with the same
// contract). Redirects are followed; the target file is written directly.
#include <cstdint>
#include <string>

namespace platform {

class UrlDownloadSink {
public:
    virtual ~UrlDownloadSink() = default;
    // Bytes so far and in all (0 while unknown); false aborts the download.
    virtual bool OnProgress(uint64_t progress, uint64_t progressMax) = 0;
};

// HRESULT values the download returns.
constexpr int32_t kUrlDownloadOk = 0;                                      // S_OK
constexpr int32_t kUrlDownloadAborted = static_cast<int32_t>(0x80004004);  // E_ABORT
constexpr int32_t kUrlDownloadCannotConnect =
    static_cast<int32_t>(0x800C0004);  // INET_E_CANNOT_CONNECT
constexpr int32_t kUrlDownloadNotFound =
    static_cast<int32_t>(0x800C0005);  // INET_E_RESOURCE_NOT_FOUND
constexpr int32_t kUrlDownloadFailed = static_cast<int32_t>(0x800C0008);  // INET_E_DOWNLOAD_FAILURE
constexpr int32_t kUrlDownloadSecurity =
    static_cast<int32_t>(0x800C000E);  // INET_E_SECURITY_PROBLEM
constexpr int32_t kUrlDownloadCannotWrite = static_cast<int32_t>(0x80070005);  // E_ACCESSDENIED

// authorityFile: a PEM file of certificate authorities to trust instead of the
// system's, or empty (Win32 always uses the system's store).
int32_t UrlDownloadToFile(const std::wstring& url, const std::wstring& targetPath,
                          UrlDownloadSink& sink, const std::string& authorityFile);

}  // namespace platform
