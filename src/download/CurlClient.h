#pragma once
// The libcurl worker of the single-stream downloader: learns the package's
// final URL and length with header-only requests, then transfers the body into
// "<target>.part", resuming from what that file already holds, and moves the
// finished file to the target path.
#include <atomic>
#include <cstdint>
#include <string>

#include <curl/curl.h>

class CurlClient {
public:
    // Receives (owner, average speed in bytes per second, 0.0, percent).
    using ProgressFn = void (*)(void* owner, double speed, double reserved, double percent);

    // Results of Start besides 0 and libcurl's own codes.
    static constexpr int kPartFileFailed = -996;
    static constexpr int kNoHandle = -997;
    static constexpr int kLengthTooSmall = -998;
    static constexpr double kMinimumLength = 1048576.0;

    CurlClient(std::wstring url, std::wstring filePath, void* ignored, void* owner,
               ProgressFn progressFn);
    CurlClient(const CurlClient&) = delete;
    CurlClient& operator=(const CurlClient&) = delete;
    // Deletes the part file.
    ~CurlClient();

    // One transfer attempt; 0 when the target file is complete.
    int Start();
    // Aborts a transfer under way at its next progress callback, and every later one.
    void Cancel() { cancelled = true; }

    std::wstring GetFilePath(bool part) const;
    const std::string& RealUrl() const { return realUrl; }
    double FileLength() const { return fileLength; }
    int64_t ResumeOffset() const { return resumeOffset; }
    // The MD5 of the file the last successful Start put in place, computed
    // while it was written; empty after a failed one.
    const std::string& FileMd5() const { return fileMd5; }

    static int ProgressCallback(void* client, curl_off_t dltotal, curl_off_t dlnow,
                                curl_off_t ultotal, curl_off_t ulnow);

    CURL* Head(const std::string& url);
    static std::string GetRealUrl(CURL* handle);
    double GetDownloadFileLength(CURL* handle);
    std::string GetRealUrl_Str(const std::string& url);
    double GetDownloadFileLength_Str(const std::string& url);

private:
    enum class HeadKind { Head, RealUrl, Length };
    CURLcode SetHeaderOptions(CURL* handle, const std::string& url, HeadKind kind);
    void ReportLengthFailure(long status);

    std::wstring url;
    std::wstring filePath;
    void* owner;
    ProgressFn progressFn;
    CURL* curl = nullptr;
    double fileLength = -1.0;
    int64_t resumeOffset = -1;
    int64_t lastProgressTime = 0;
    std::atomic<bool> cancelled{false};
    std::string realUrl;
    std::string fileMd5;
};
