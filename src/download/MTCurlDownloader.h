#pragma once
// The multi-part downloader: one header request for the final URL, length and
// expected MD5, at most two byte ranges downloaded into their own part files
// on their own threads, and a finishing thread that hashes the parts in file
// order while they arrive, then joins them into the target file and checks
// its MD5. A failed run asks once for a retry, which
// resumes the part files that survived.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <curl/curl.h>

#include "download/Downloader.h"
#include "download/PartFile.h"
#include "download/RunThreads.h"
#include "utils/Md5.h"
#include "utils/Thread.h"

class CMTCurlDownloader : public CDownloader {
public:
    struct DownloadPartNode {
        FILE* file = nullptr;
        int32_t start = 0;  // next byte of the package to write
        int32_t end = 0;    // last byte of the part, inclusive
        CURL* curl = nullptr;
        std::string url;
        std::string partPath;
        // kPending, 0 complete, kOpenFailed, or the libcurl result of the last attempt.
        int32_t state = -1;
        std::atomic<int64_t> downloaded{0};  // bytes of this part on disk
        int64_t length = 0;                  // bytes of the part in all
        std::atomic<bool> ended{false};      // no more bytes will arrive in this run
        PartFileBuffer buffer;
        std::unique_ptr<Utils::Thread> thread;
    };
    static constexpr int32_t kPending = -1;
    static constexpr int32_t kOpenFailed = -2;
    static constexpr int32_t kMinimumLength = 256;
    static constexpr int32_t kPartBytes = 10485760;
    static constexpr int kMaxParts = 2;

    CMTCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
    // Aborts the transfers under way and waits for every thread of the run.
    ~CMTCurlDownloader() override;

    void Start() override;

    // The name of part file i of a target given in the narrow code page.
    static std::string PartPath(const std::string& target, int index);

    static uint32_t Start_Down(void* downloader);
    bool getRealDownloadUrl(const std::string& narrowUrl);
    static void downloadThreadFun(CMTCurlDownloader* downloader, DownloadPartNode* node);
    static int downloadExe(CMTCurlDownloader* downloader, DownloadPartNode* node);
    static void waitForFinishThreadFun(CMTCurlDownloader* downloader);

private:
    void RunDown();
    void AddPart(const std::string& target, int index, int32_t offset, int32_t size);
    void StartParts();
    // A part thread's last step (or a part whose thread could not start).
    void PartEnded(DownloadPartNode& node);
    // Hashes the part files in order, each as far as it has arrived, until
    // every part is complete; false when a part ended short or could not be
    // read, or the run was cancelled.
    bool HashPartsInOrder(Utils::Md5& digest);
    bool HashPart(DownloadPartNode& node, Utils::Md5& digest);
    // Part 0 with the other parts appended, renamed to the target; false when
    // any step failed.
    bool MergeParts(const std::string& target);
    // False when buffered bytes could not be written.
    static bool ClosePartFile(DownloadPartNode& node);
    void FailVerification();
    void ReleaseParts();
    void DeletePartFiles(const std::string& target);
    void Report(int code, double value, const wchar_t* text);
    static int ProgressCallback(void* downloader, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    std::vector<std::unique_ptr<DownloadPartNode>> parts;
    DownloadCallback callback;
    std::wstring targetPath;
    std::wstring url;
    std::string realUrl;
    int32_t fileLength = -1;
    std::string expectedMd5;
    double lastProgress = 0.0;
    std::atomic<int32_t> activeParts{0};
    std::mutex partsDoneLock;
    std::condition_variable partsDone;
    bool partsLaunched = false;  // the run thread is done with the nodes; under partsDoneLock
    std::mutex progressLock;
    int64_t lastProgressTime = 0;
    bool retried = false;
    RunThreads thread;
    std::unique_ptr<Utils::Thread> finisher;
    std::atomic<bool> cancelled{false};
};
