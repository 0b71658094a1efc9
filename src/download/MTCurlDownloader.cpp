#include "download/MTCurlDownloader.h"

#include <chrono>
#include <climits>
#include <ctime>
#include <thread>

#include "config/InstallerConfig.h"
#include "download/CurlHelpers.h"
#include "download/CurlSetup.h"
#include "download/Verification.h"
#include "platform/FileAppend.h"
#include "utils/DebugLog.h"
#include "utils/Encoding.h"
#include "utils/Md5.h"
#include "utils/Strings.h"

namespace {

constexpr int kPartBudget = 12;
constexpr int kPartialFile = 18;  // CURLE_PARTIAL_FILE
constexpr auto kPartPause = std::chrono::milliseconds(400);
constexpr auto kPartStartGap = std::chrono::milliseconds(100);
constexpr auto kFinishPoll = std::chrono::milliseconds(200);
// How long the hash waits when it has caught up with a part still arriving.
constexpr auto kHashCatchUpPause = std::chrono::milliseconds(2);
constexpr size_t kHashBlockBytes = 1 << 20;
constexpr long kConnectTimeoutSeconds = 60;

size_t DiscardBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

int CancelCheck(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

size_t WritePart(char* data, size_t size, size_t count, void* part) {
    auto* node = static_cast<CMTCurlDownloader::DownloadPartNode*>(part);
    if (!node->file || node->start > node->end) return 0;
    const size_t room = static_cast<size_t>(node->end) - static_cast<size_t>(node->start) + 1;
    const size_t bytes = size * count < room ? size * count : room;
    const size_t written = std::fwrite(data, 1, bytes, node->file);
    node->start += static_cast<int32_t>(written);
    node->downloaded += static_cast<int64_t>(written);
    return written;
}

std::string NarrowUrl(const std::wstring& url) {
    const bool local = Utils::StartsWith(url, L"file:///");
    return Utils::ToNarrow(url, local ? Utils::kAnsiCodePage : Utils::kUtf8CodePage);
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(DownloadCallback callback, std::wstring url,
                                     std::wstring targetPath)
    : callback(std::move(callback)), targetPath(std::move(targetPath)), url(std::move(url)) {
    const std::string target = Utils::ToNarrow(this->targetPath, Utils::kAnsiCodePage);
    std::remove(target.c_str());
    DeletePartFiles(target);
}

CMTCurlDownloader::~CMTCurlDownloader() {
    cancelled = true;
    thread.Stop();
    // The run thread is gone, so the finishing thread and the parts are no
    // longer replaced; the parts abort at their next progress callback.
    if (finisher) finisher->Join();
    ReleaseParts();
}

void CMTCurlDownloader::Start() {
    thread.StartRun(this, &CMTCurlDownloader::Start_Down);
}

std::string CMTCurlDownloader::PartPath(const std::string& target, int index) {
    return target + "_" + std::to_string(index);
}

uint32_t CMTCurlDownloader::Start_Down(void* downloader) {
    static_cast<CMTCurlDownloader*>(downloader)->RunDown();
    return 0;
}

void CMTCurlDownloader::RunDown() {
    Report(DL_CODE_START, 1.0, L"");
    if (targetPath.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    DEBUG_LOG(L"start download");
    // The finishing thread of the run before may still be returning from the
    // callback that started this run.
    if (finisher) finisher->Join();
    finisher.reset();

    const std::string target = Utils::ToNarrow(targetPath, Utils::kAnsiCodePage);
    const std::string narrowUrl = NarrowUrl(url);
    std::remove(target.c_str());
    if (lastProgress == 0.0) DeletePartFiles(target);

    if (!(!realUrl.empty() && fileLength >= kMinimumLength) && !getRealDownloadUrl(narrowUrl)) {
        Report(DL_CODE_FAIL, 0.0, kLibCurlText);
        return;
    }

    int count = fileLength / kPartBytes;
    if (count == 0) count = 1;
    if (count > kMaxParts) count = kMaxParts;
    const int32_t size = fileLength / count;
    for (int i = 0; i < count; ++i) {
        const int32_t partSize = i == count - 1 ? fileLength - size * (count - 1) : size;
        AddPart(target, i, size * i, partSize);
    }
    // Every pending part counts as active before any thread runs, so the
    // finishing thread can start first: it hashes part 0 from its first byte.
    for (const auto& node : parts) {
        if (node->state == kPending) ++activeParts;
    }
    partsLaunched = false;
    finisher = std::make_unique<Utils::Thread>(this, L"ABDEF", [](void* self) -> uint32_t {
        waitForFinishThreadFun(static_cast<CMTCurlDownloader*>(self));
        return 0;
    });
    finisher->Resume();
    StartParts();
}

void CMTCurlDownloader::AddPart(const std::string& target, int index, int32_t offset,
                                int32_t size) {
    auto node = std::make_unique<DownloadPartNode>();
    node->partPath = PartPath(target, index);
    int64_t existing = PartFileSize(node->partPath);
    if (existing < 0) existing = 0;
    if (existing > size) {
        // Longer than its part: not what this download wrote, so it starts over.
        std::remove(node->partPath.c_str());
        existing = 0;
    }
    node->downloaded = existing;
    node->length = size;
    node->start = offset + static_cast<int32_t>(existing);
    node->end = offset + size - 1;
    node->curl = curl_easy_init();
    node->url = realUrl;
    if (node->start > node->end) {
        node->state = 0;
        node->ended = true;
    } else {
        node->state = kPending;
        node->file = std::fopen(node->partPath.c_str(), "ab+");
        if (node->file) {
            node->buffer.Attach(node->file);
        } else {
            node->state = kOpenFailed;
            node->ended = true;
        }
    }
    parts.push_back(std::move(node));
}

void CMTCurlDownloader::StartParts() {
    for (auto& node : parts) {
        if (node->state != kPending) continue;
        node->thread = std::make_unique<Utils::Thread>(
            this, L"ABDEF", [this, part = node.get()](void*) -> uint32_t {
                downloadThreadFun(this, part);
                return 0;
            });
        if (!node->thread->Resume()) {
            node->state = CURLE_FAILED_INIT;
            PartEnded(*node);
        }
        std::this_thread::sleep_for(kPartStartGap);
    }
    // Until here this thread walks the nodes: the finishing thread waits for it.
    std::lock_guard<std::mutex> guard(partsDoneLock);
    partsLaunched = true;
    partsDone.notify_all();
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& narrowUrl) {
    realUrl.clear();
    expectedMd5.clear();
    fileLength = 0;
    if (!GetInstallerConfig().LibcurlReady) return false;
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    int options = curl_easy_setopt(curl, CURLOPT_URL, narrowUrl.c_str());
    options |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    options |= ApplyTlsPolicy(curl);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &DiscardBody);
    options |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    options |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CancelCheck);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &cancelled);
    const bool performed = options == 0 && curl_easy_perform(curl) == CURLE_OK;
    if (performed) {
        char* effective = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective &&
            *effective) {
            realUrl = effective;
            DEBUG_LOG(L"Download File real url %s", Utils::ToWide(realUrl, Utils::kUtf8CodePage));
            expectedMd5 = GetUrlMd5(realUrl);
        }
        double length = -1.0;
        long status = 0;
        if (ContentLength(curl, length) == CURLE_OK &&
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 &&
            status <= 399 && length >= 0 && length <= INT32_MAX) {
            fileLength = static_cast<int32_t>(length);
            DEBUG_LOG(L"Download File Length %lld", static_cast<int64_t>(fileLength));
        }
    }
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    return performed && !realUrl.empty() && fileLength >= kMinimumLength;
}

void CMTCurlDownloader::downloadThreadFun(CMTCurlDownloader* downloader, DownloadPartNode* node) {
    int budget = kPartBudget;
    int result = downloadExe(downloader, node);
    while (result != 0 && budget > 0 && !downloader->cancelled) {
        budget -= result == kPartialFile ? 1 : 2;
        DEBUG_LOG(L"CurlDownLoader Code=%d", result);
        std::this_thread::sleep_for(kPartPause);
        result = downloadExe(downloader, node);
    }
    if (node->file && !ClosePartFile(*node) && node->state == 0) node->state = CURLE_WRITE_ERROR;
    downloader->PartEnded(*node);
}

void CMTCurlDownloader::PartEnded(DownloadPartNode& node) {
    node.ended = true;
    if (--activeParts == 0) {
        // Taking the lock orders this against the finishing thread's check.
        std::lock_guard<std::mutex> guard(partsDoneLock);
        partsDone.notify_all();
    }
}

int CMTCurlDownloader::downloadExe(CMTCurlDownloader* downloader, DownloadPartNode* node) {
    if (!node->curl) return node->state = CURLE_FAILED_INIT;
    if (node->start > node->end) {
        // An attempt that failed after its last byte arrived left nothing to ask for.
        const bool closed = !node->file || ClosePartFile(*node);
        return node->state = closed ? 0 : CURLE_WRITE_ERROR;
    }
    const std::string range = std::to_string(node->start) + "-" + std::to_string(node->end);
    CURL* curl = node->curl;
    int options = curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_URL, node->url.c_str());
    options |= curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WritePart);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEDATA, node);
    options |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &ProgressCallback);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, downloader);
    options |= curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    options |= ApplyTlsPolicy(curl);
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 5L);
    options |= curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kCurlBufferBytes);
    options |= curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
    if (options != 0) return options;

    const int result = curl_easy_perform(curl);
    if (result != 0) {
        DEBUG_LOG(L"error:%d:%s", result, CurlErrorText(result));
    } else {
        DEBUG_LOG(L"curl_easy_cleanup");
    }
    curl_easy_reset(curl);
    if (result == 0 && node->file && !ClosePartFile(*node)) return node->state = CURLE_WRITE_ERROR;
    return node->state = result;
}

int CMTCurlDownloader::ProgressCallback(void* downloader, curl_off_t, curl_off_t, curl_off_t,
                                        curl_off_t) {
    auto* self = static_cast<CMTCurlDownloader*>(downloader);
    if (self->cancelled) return 1;
    double percent = 0.0;
    {
        std::lock_guard<std::mutex> guard(self->progressLock);
        const int64_t now = static_cast<int64_t>(std::time(nullptr));
        if (now < self->lastProgressTime + 1) return 0;
        self->lastProgressTime = now;
        if (self->fileLength >= kMinimumLength) {
            for (const auto& node : self->parts) {
                const int64_t bytes = node->downloaded;
                if (bytes > 0) percent += static_cast<double>(bytes) * 100.0 / self->fileLength;
            }
            if (percent > 100.0) return 0;
        }
        if (percent - self->lastProgress < 1.0) return 0;
        self->lastProgress = percent;
    }
    self->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
    return 0;
}

void CMTCurlDownloader::waitForFinishThreadFun(CMTCurlDownloader* downloader) {
    CMTCurlDownloader& self = *downloader;
    // The hash follows the parts while they arrive, so that once the last
    // byte is in only the merge is left to do.
    Utils::Md5 digest;
    const bool hashed = self.HashPartsInOrder(digest);
    {
        // Woken by the last part thread; the poll is only a safety net.
        std::unique_lock<std::mutex> guard(self.partsDoneLock);
        while (self.activeParts > 0 || !self.partsLaunched) {
            self.partsDone.wait_for(guard, kFinishPoll);
        }
    }
    if (self.cancelled) return;

    int32_t firstError = 0;
    for (const auto& node : self.parts) {
        if (node->state != 0) {
            firstError = node->state;
            break;
        }
    }
    const std::string target = Utils::ToNarrow(self.targetPath, Utils::kAnsiCodePage);
    if (firstError == 0) {
        self.lastProgress = 0.0;
        // Parts that all arrived but could not be hashed on the way leave the
        // check to read the merged file.
        const std::string md5 = hashed ? Utils::Md5::ToHex(digest.Final()) : std::string();
        if (!self.MergeParts(target) ||
            VerifyDownload(target, self.expectedMd5, md5) == Verification::Failed) {
            self.FailVerification();
            return;
        }
        if (!IsExpectedMd5(self.expectedMd5)) {
            self.Report(DL_CODE_MESSAGE, 0.0, L"mtcurl获取url-md5失败");
        }
        DEBUG_LOG(L"finish recv");
        self.ReleaseParts();
        self.Report(DL_CODE_SUCCESS, 0.0, kLibCurlText);
        return;
    }
    self.ReleaseParts();
    if (self.lastProgress == 0.0) self.DeletePartFiles(target);
    if (!self.retried) {
        self.retried = true;
        self.Report(DL_CODE_RETRY, firstError, kLibCurlText);
    } else {
        self.lastProgress = 0.0;
        self.Report(DL_CODE_FAIL, firstError, kLibCurlText);
    }
}

bool CMTCurlDownloader::HashPartsInOrder(Utils::Md5& digest) {
    for (auto& node : parts) {
        if (!HashPart(*node, digest)) return false;
    }
    return true;
}

bool CMTCurlDownloader::HashPart(DownloadPartNode& node, Utils::Md5& digest) {
    FILE* file = std::fopen(node.partPath.c_str(), "rb");
    if (!file) return false;
    std::vector<char> block(kHashBlockBytes);
    int64_t hashed = 0;
    bool readFailed = false;
    while (hashed < node.length && !cancelled && !readFailed) {
        // Taken before reading: bytes read after the part ended are all it will have.
        const bool ended = node.ended;
        const int64_t left = node.length - hashed;
        const size_t want =
            left < static_cast<int64_t>(block.size()) ? static_cast<size_t>(left) : block.size();
        const size_t n = std::fread(block.data(), 1, want, file);
        digest.Update(block.data(), n);
        hashed += static_cast<int64_t>(n);
        if (n == want) continue;
        readFailed = std::ferror(file) != 0;
        if (ended) break;
        std::clearerr(file);
        std::this_thread::sleep_for(kHashCatchUpPause);
    }
    // A part file longer than its part (left by an earlier run) would add its
    // extra bytes to the target unhashed.
    const bool exact = hashed == node.length && std::fgetc(file) == EOF;
    std::fclose(file);
    return exact;
}

bool CMTCurlDownloader::MergeParts(const std::string& target) {
    const std::string first = PartPath(target, 0);
    // A part 0 that is gone fails the merge: neither appending nor the
    // rename creates it.
    bool ok = true;
    for (size_t i = 1; ok && i < parts.size(); ++i) {
        const std::string path = PartPath(target, static_cast<int>(i));
        ok = platform::AppendFile(path, first);
        DEBUG_LOG(L"partPath::%s", Utils::ToWide(path, Utils::kAnsiCodePage));
    }
    if (ok) ok = std::rename(first.c_str(), target.c_str()) == 0;
    DeletePartFiles(target);
    return ok;
}

bool CMTCurlDownloader::ClosePartFile(DownloadPartNode& node) {
    const bool ok = std::fclose(node.file) == 0;
    node.file = nullptr;
    return ok;
}

void CMTCurlDownloader::FailVerification() {
    Report(DL_CODE_MESSAGE, 0.0, L"mtcurl文件md5校验失败");
    std::remove(Utils::ToNarrow(targetPath, Utils::kAnsiCodePage).c_str());
    ReleaseParts();
    if (retried) {
        DEBUG_LOG(L"finish recv, md5 chaek failed and retry failed.");
        Report(DL_CODE_FAIL, 0.0, kLibCurlText);
    } else {
        retried = true;
        DEBUG_LOG(L"finish recv, md5 chaek failed retry once.");
        Report(DL_CODE_RETRY, 0.0, kLibCurlText);
    }
}

void CMTCurlDownloader::ReleaseParts() {
    for (auto& node : parts) {
        if (node->thread) node->thread->Join();
        if (node->curl) curl_easy_cleanup(node->curl);
        if (node->file) ClosePartFile(*node);
    }
    parts.clear();
}

void CMTCurlDownloader::DeletePartFiles(const std::string& target) {
    for (int i = 0; i < kMaxParts; ++i) std::remove(PartPath(target, i).c_str());
}

void CMTCurlDownloader::Report(int code, double value, const wchar_t* text) {
    if (!cancelled) callback(code, value, text);
}
