#include "download/WinDownloader.h"

#include <chrono>
#include <thread>

#include "download/CurlSetup.h"
#include "platform/Com.h"
#include "utils/Strings.h"

namespace {

constexpr int kAttempts = 3;
constexpr auto kAttemptPause = std::chrono::milliseconds(1000);

}  // namespace

bool CWinDownloader::CBindCallback::OnProgress(uint64_t progress, uint64_t progressMax) {
    if (cancelled) return false;
    if (progressMax == 0) return true;
    callback(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(progressMax),
             L"");
    return true;
}

CWinDownloader::CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath)
    : callback(std::move(callback)),
      targetPath(std::move(targetPath)),
      url(std::move(url)),
      thread(this, L"ABDEF", &CWinDownloader::RunProcedure) {}

CWinDownloader::~CWinDownloader() {
    bindCallback.Cancel();
    thread.Join();
}

void CWinDownloader::Start() {
    // The copy is made before the thread runs, so the thread alone touches it.
    if (started || !thread.HasThread()) return;
    started = true;
    bindCallback.callback = callback;
    thread.Resume();
}

uint32_t CWinDownloader::RunProcedure(void* downloader) {
    static_cast<CWinDownloader*>(downloader)->Run();
    return 0;
}

void CWinDownloader::Run() {
    platform::ComApartment com;
    Report(DL_CODE_START, 1.0, L"");
    if (targetPath.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    const std::wstring requestUrl =
        Utils::StartsWith(url, L"file:///") ? url : Utils::UrlEncode(url);
    int32_t result = platform::kUrlDownloadOk;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        result = platform::UrlDownloadToFile(requestUrl, targetPath, bindCallback,
                                             TrustedAuthorityFile());
        if (result == platform::kUrlDownloadOk) {
            Report(DL_CODE_SUCCESS, 0.0, kUrlDownloadText);
            return;
        }
        std::this_thread::sleep_for(kAttemptPause);
        if (bindCallback.Cancelled()) return;
    }
    Report(DL_CODE_FAIL, static_cast<double>(result), kUrlDownloadText);
}

void CWinDownloader::Report(int code, double value, const wchar_t* text) {
    if (!bindCallback.Cancelled()) callback(code, value, text);
}
