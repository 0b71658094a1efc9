// Drives one downloader the way the install pipeline does: Start again on
// DL_CODE_RETRY, the target deleted on DL_CODE_FAIL. Every event is printed as
// one line "code<TAB>value<TAB>text" in UTF-8; the exit status is 0 exactly
// when the last event is DL_CODE_SUCCESS.
//
//   download-run --type N [--cafile PEM] URL TARGET
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "config/InstallerConfig.h"
#include "download/CurlSetup.h"
#include "download/DownloaderFactory.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "utils/Encoding.h"

namespace {

const char kUsage[] = "usage: download-run --type N [--cafile PEM] URL TARGET\n";

class Run {
public:
    void OnEvent(int code, double value, const wchar_t* text) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            std::printf("%d\t%.17g\t%s\n", code, value, platform::ToUtf8(text).c_str());
            std::fflush(stdout);
            last_ = code;
        }
        if (code == DL_CODE_RETRY) {
            downloader_->Start();
        } else if (code == DL_CODE_FAIL) {
            std::remove(Utils::ToNarrow(target_, Utils::kAnsiCodePage).c_str());
            Finish();
        } else if (code == DL_CODE_SUCCESS) {
            Finish();
        }
    }

    int Execute(int type, const std::wstring& url, const std::wstring& target) {
        target_ = target;
        downloader_ = CreateDownloader(
            type,
            [this](int code, double value, const wchar_t* text) { OnEvent(code, value, text); },
            url, target);
        downloader_->Start();
        std::unique_lock<std::mutex> guard(lock_);
        done_.wait(guard, [this] { return finished_; });
        guard.unlock();
        downloader_.reset();
        return last_ == DL_CODE_SUCCESS ? 0 : 1;
    }

private:
    void Finish() {
        std::lock_guard<std::mutex> guard(lock_);
        finished_ = true;
        done_.notify_all();
    }

    std::mutex lock_;
    std::condition_variable done_;
    bool finished_ = false;
    int last_ = 0;
    std::wstring target_;
    std::unique_ptr<CDownloader> downloader_;
};

}  // namespace

int main() {
    const std::vector<std::wstring> args = platform::ProcessArguments();
    int type = -1;
    std::vector<std::wstring> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--type" && i + 1 < args.size()) {
            type = static_cast<int>(std::wcstol(args[++i].c_str(), nullptr, 10));
        } else if (args[i] == L"--cafile" && i + 1 < args.size()) {
            SetTrustedAuthorityFile(Utils::ToNarrow(args[++i], Utils::kAnsiCodePage));
        } else {
            positional.push_back(args[i]);
        }
    }
    if (type < 0 || positional.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    InitLibcurl(GetInstallerConfig());
    const int result = Run().Execute(type, positional[0], positional[1]);
    CleanupLibcurl();
    return result;
}
