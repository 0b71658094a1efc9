#pragma once
// The system downloader: the whole job goes to the operating system's URL
// download, three attempts a second apart, no checksum check.
#include <atomic>

#include "download/Downloader.h"
#include "platform/UrlDownload.h"
#include "utils/Thread.h"

class CWinDownloader : public CDownloader {
public:
    // The progress sink of the system download.
    class CBindCallback : public platform::UrlDownloadSink {
    public:
        ~CBindCallback() override { cancelled = true; }
        bool OnProgress(uint64_t progress, uint64_t progressMax) override;
        // Ends the download under way at its next progress notice.
        void Cancel() { cancelled = true; }
        bool Cancelled() const { return cancelled; }

        DownloadCallback callback;

    private:
        std::atomic<bool> cancelled{false};
    };

    CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
    // Aborts a download under way and waits for the thread.
    ~CWinDownloader() override;

    // Lets the thread run; the run happens once per object.
    void Start() override;

    static uint32_t RunProcedure(void* downloader);

private:
    void Run();
    void Report(int code, double value, const wchar_t* text);

    CBindCallback bindCallback;
    DownloadCallback callback;
    std::wstring targetPath;
    std::wstring url;
    bool started = false;
    Utils::Thread thread;
};
