#pragma once
// What the download engine tells the analytics layer. The engine only knows
// this interface; the tracker installs the real reporter at start-up, and
// until then (and in programs without analytics) reports go nowhere.
#include <string>

class DownloadReporter {
public:
    virtual ~DownloadReporter() = default;
    // A header request could not give the package's length; reason is the
    // formatted text ("1.获取文件大小的状态码为=404；").
    virtual void ReportLengthQueryFailed(const std::wstring& reason) = 0;
};

// The process's reporter, or null. Set during start-up, before any download;
// the reporter must outlive every downloader.
void SetDownloadReporter(DownloadReporter* reporter);
DownloadReporter* GetDownloadReporter();
