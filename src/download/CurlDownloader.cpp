#include "download/CurlDownloader.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "download/Verification.h"
#include "utils/DebugLog.h"
#include "utils/Encoding.h"

namespace {

constexpr int kTransferBudget = 12;
constexpr auto kTransferPause = std::chrono::milliseconds(500);
constexpr int kPartialFile = 18;  // CURLE_PARTIAL_FILE

}  // namespace

CCurlDownloader::CCurlDownloader(DownloadCallback callback, std::wstring url,
                                 std::wstring targetPath)
    : callback(std::move(callback)),
      targetPath(std::move(targetPath)),
      url(std::move(url)),
      client(this->url, this->targetPath, nullptr, this, &CCurlDownloader::OnClientProgress) {
    // A part file of an earlier process is never resumed.
    std::remove(Utils::ToNarrow(client.GetFilePath(true), Utils::kAnsiCodePage).c_str());
}

CCurlDownloader::~CCurlDownloader() {
    cancelled = true;
    client.Cancel();
    thread.Stop();
}

void CCurlDownloader::Start() {
    thread.StartRun(this, &CCurlDownloader::dlThreadFun);
}

uint32_t CCurlDownloader::dlThreadFun(void* downloader) {
    static_cast<CCurlDownloader*>(downloader)->Run();
    return 0;
}

void CCurlDownloader::OnClientProgress(void* owner, double speed, double, double percent) {
    if (speed > 0.0 && percent <= 100.0) {
        static_cast<CCurlDownloader*>(owner)->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
    }
}

void CCurlDownloader::Run() {
    Report(DL_CODE_START, 1.0, L"");
    if (targetPath.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    int budget = kTransferBudget;
    int result = client.Start();
    while (result != 0) {
        budget -= result == kPartialFile ? 1 : 2;
        if (budget <= 0) {
            Report(DL_CODE_FAIL, result, kLibCurlText);
            return;
        }
        DEBUG_LOG(L"CurlDownLoader Code=%d", result);
        std::this_thread::sleep_for(kTransferPause);
        if (Cancelled()) return;
        result = client.Start();
    }

    const std::string expectedMd5 = GetUrlMd5(client.RealUrl());
    switch (VerifyDownload(Utils::ToNarrow(targetPath, Utils::kAnsiCodePage), expectedMd5,
                           client.FileMd5())) {
        case Verification::Unverified:
            Report(DL_CODE_MESSAGE, 0.0, L"curl获取url-md5失败");
            break;
        case Verification::Failed:
            Report(DL_CODE_MESSAGE, 0.0, L"curl文件md5校验失败");
            if (retried) {
                Report(DL_CODE_FAIL, 0.0, kLibCurlText);
            } else {
                retried = true;
                Report(DL_CODE_RETRY, 0.0, kLibCurlText);
            }
            return;
        case Verification::Verified:
            break;
    }
    Report(DL_CODE_SUCCESS, 0.0, kLibCurlText);
}

void CCurlDownloader::Report(int code, double value, const wchar_t* text) {
    if (!Cancelled()) callback(code, value, text);
}
