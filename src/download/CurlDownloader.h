#pragma once
// The single-stream downloader: one HTTP stream through CurlClient, transfer
// errors retried within a budget, the finished file checked against the MD5
// in the final URL.
#include <atomic>

#include "download/CurlClient.h"
#include "download/Downloader.h"
#include "download/RunThreads.h"

class CCurlDownloader : public CDownloader {
public:
    CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
    // Aborts a transfer under way and waits for the run thread.
    ~CCurlDownloader() override;

    void Start() override;

    static uint32_t dlThreadFun(void* downloader);
    static void OnClientProgress(void* owner, double speed, double reserved, double percent);

private:
    void Run();
    // Nothing is reported once the downloader is being destroyed.
    void Report(int code, double value, const wchar_t* text);
    bool Cancelled() const { return cancelled; }

    DownloadCallback callback;
    std::wstring targetPath;
    std::wstring url;
    CurlClient client;
    RunThreads thread;
    bool retried = false;
    std::atomic<bool> cancelled{false};
};
