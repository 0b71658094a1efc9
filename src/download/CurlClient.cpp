#include "download/CurlClient.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "download/CurlHelpers.h"
#include "download/CurlSetup.h"
#include "download/DownloadReporter.h"
#include "download/HashingFileWriter.h"
#include "download/PartFile.h"
#include "utils/DebugLog.h"
#include "utils/Encoding.h"
#include "utils/Format.h"
#include "utils/Strings.h"

namespace {

constexpr long kConnectTimeoutSeconds = 60;

size_t DiscardBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

size_t AppendToFile(char* data, size_t size, size_t count, void* writer) {
    return static_cast<HashingFileWriter*>(writer)->Write(data, size * count);
}

// Header-only requests have no progress of their own; the callback only lets a
// client that is being destroyed end a request that hangs.
int CancelCheck(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

std::string NarrowUrl(const std::wstring& url) {
    const bool local = Utils::StartsWith(url, L"file:///");
    return Utils::ToNarrow(url, local ? Utils::kAnsiCodePage : Utils::kUtf8CodePage);
}

}  // namespace

CurlClient::CurlClient(std::wstring url, std::wstring filePath, void*, void* owner,
                       ProgressFn progressFn)
    : url(std::move(url)), filePath(std::move(filePath)), owner(owner), progressFn(progressFn) {}

CurlClient::~CurlClient() {
    std::remove(Utils::ToNarrow(GetFilePath(true), Utils::kAnsiCodePage).c_str());
    cancelled = true;
    url.clear();
    filePath.clear();
    realUrl.clear();
}

std::wstring CurlClient::GetFilePath(bool part) const {
    return part ? filePath + L".part" : filePath;
}

int CurlClient::Start() {
    DEBUG_LOG(L"start download");
    const std::string partPath = Utils::ToNarrow(GetFilePath(true), Utils::kAnsiCodePage);
    const std::string targetPath = Utils::ToNarrow(filePath, Utils::kAnsiCodePage);
    const std::string narrowUrl = NarrowUrl(url);

    if (realUrl.empty() || fileLength < kMinimumLength) {
        CURL* head = Head(narrowUrl);
        realUrl = GetRealUrl(head);
        fileLength = head ? GetDownloadFileLength(head) : -1.0;
        if (head) curl_easy_cleanup(head);
    }
    if (realUrl.empty() || fileLength < kMinimumLength) {
        realUrl = GetRealUrl_Str(narrowUrl);
        if (!realUrl.empty()) fileLength = GetDownloadFileLength_Str(realUrl);
    }

    int result = 0;
    FILE* file = nullptr;
    curl_slist* headers = nullptr;
    std::unique_ptr<HashingFileWriter> writer;
    fileMd5.clear();
    if (fileLength < kMinimumLength) {
        result = kLengthTooSmall;
    } else if (!(curl = curl_easy_init())) {
        result = kNoHandle;
    } else if (!(file = std::fopen(partPath.c_str(), "ab+"))) {
        result = kPartFileFailed;
    } else {
        resumeOffset = PartFileSize(partPath);
        writer = std::make_unique<HashingFileWriter>(file, partPath, resumeOffset);
        headers = curl_slist_append(headers, "Connection: keep-alive");
        headers = curl_slist_append(headers, "Accept-Encoding: gzip, deflate");
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPIDLE, 10L);
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPINTVL, 10L);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L);
        result = curl_easy_setopt(curl, CURLOPT_URL, realUrl.c_str());
        result |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        result |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendToFile);
        result |= curl_easy_setopt(curl, CURLOPT_WRITEDATA, writer.get());
        result |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        result |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback);
        result |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        result |= curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        result |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
        result |= curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kCurlBufferBytes);
        result |= ApplyTlsPolicy(curl);
        if (resumeOffset > 0) {
            result |= curl_easy_setopt(curl, CURLOPT_RESUME_FROM_LARGE,
                                       static_cast<curl_off_t>(resumeOffset));
        }
        if (result == 0) result = curl_easy_perform(curl);
    }

    DEBUG_LOG(L"error:%d:%s", result, CurlErrorText(result));
    if (curl) curl_easy_cleanup(curl);
    curl = nullptr;
    curl_slist_free_all(headers);
    // Whatever arrived goes to the part file, so that the next attempt resumes after it.
    const bool written = !writer || writer->Finish();
    if (file && std::fclose(file) != 0) result = result == 0 ? CURLE_WRITE_ERROR : result;
    if (result == 0 && !written) result = CURLE_WRITE_ERROR;
    if (result == 0) {
        fileMd5 = Utils::Md5::ToHex(writer->State().Final());
        std::remove(targetPath.c_str());
        // A part file that cannot take the target's place is dropped like a
        // moved one: the missing target fails its check, and a retry starts over
        // instead of asking for a range past the end.
        if (std::rename(partPath.c_str(), targetPath.c_str()) != 0) std::remove(partPath.c_str());
    }
    DEBUG_LOG(L"end download");
    return result;
}

int CurlClient::ProgressCallback(void* client, curl_off_t dltotal, curl_off_t dlnow, curl_off_t,
                                 curl_off_t) {
    auto* self = static_cast<CurlClient*>(client);
    if (self->cancelled) return 1;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    if (now < self->lastProgressTime + 1) return 0;
    self->lastProgressTime = now;

    curl_off_t bytesPerSecond = 0;
    if (curl_easy_getinfo(self->curl, CURLINFO_SPEED_DOWNLOAD_T, &bytesPerSecond) != CURLE_OK) {
        bytesPerSecond = 0;
    }
    const double speed = static_cast<double>(bytesPerSecond);
    double percent = 0.0;
    if (self->fileLength > kMinimumLength) {
        percent = (static_cast<double>(dlnow) + static_cast<double>(self->resumeOffset)) /
                  self->fileLength * 100.0;
    } else {
        if (dlnow <= 0 || dltotal <= 0) return 0;
        percent = static_cast<double>(dlnow) * 100.0 / static_cast<double>(dltotal);
    }
    if (percent == 0.0) return 0;
    if (self->progressFn) self->progressFn(self->owner, speed, 0.0, percent);
    if (dltotal != 0) {
        DEBUG_LOG(L" %dM %dM   progress:%f%%  speed:%f \n", dlnow / 1048576, dltotal / 1048576,
                  static_cast<double>(static_cast<float>(percent)),
                  static_cast<double>(static_cast<float>(speed * 0.0009765625)));
    }
    return 0;
}

CURLcode CurlClient::SetHeaderOptions(CURL* handle, const std::string& target, HeadKind kind) {
    int result = curl_easy_setopt(handle, CURLOPT_URL, target.c_str());
    if (kind == HeadKind::Length) {
        result |= curl_easy_setopt(handle, CURLOPT_HEADER, 1L);
    } else {
        result |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    }
    result |= curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    result |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &DiscardBody);
    result |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    result |= curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    result |= curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CancelCheck);
    result |= curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &cancelled);
    result |= ApplyTlsPolicy(handle);
    return static_cast<CURLcode>(result);
}

CURL* CurlClient::Head(const std::string& target) {
    CURL* handle = curl_easy_init();
    int code = 0;
    if (handle) {
        code = SetHeaderOptions(handle, target, HeadKind::Head);
        if (code == 0) {
            code = curl_easy_perform(handle);
            if (code != 0) DEBUG_LOG(L"error:%d:%s", code, CurlErrorText(code));
        }
    }
    DEBUG_LOG(L"error:%d:%s", code, CurlErrorText(code));
    return handle;
}

std::string CurlClient::GetRealUrl(CURL* handle) {
    char* effective = nullptr;
    if (!handle || curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effective) != CURLE_OK ||
        !effective) {
        return {};
    }
    return effective;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
    double length = -1.0;
    const int code = ContentLength(handle, length);
    DEBUG_LOG(L"error:%d:%s", code, CurlErrorText(code));
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 &&
        status <= 399) {
        return length;
    }
    ReportLengthFailure(status);
    return -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& target) {
    std::string effective;
    CURL* handle = curl_easy_init();
    if (!handle) return target;
    if (SetHeaderOptions(handle, target, HeadKind::RealUrl) == CURLE_OK) {
        const int code = curl_easy_perform(handle);
        if (code != 0) {
            DEBUG_LOG(L"error:%d:%s", code, CurlErrorText(code));
        } else {
            effective = GetRealUrl(handle);
        }
    }
    curl_easy_cleanup(handle);
    return effective.empty() ? target : effective;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& target) {
    double length = -1.0;
    int code = 0;
    CURL* handle = curl_easy_init();
    if (handle) {
        code = SetHeaderOptions(handle, target, HeadKind::Length);
        if (code == 0) {
            curl_easy_perform(handle);
            ContentLength(handle, length);
            long status = 0;
            code = curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
            if (code != CURLE_OK || status < 200 || status > 399) ReportLengthFailure(status);
        }
    }
    DEBUG_LOG(L"error:%d:%s", code, CurlErrorText(code));
    if (handle) curl_easy_cleanup(handle);
    return length;
}

void CurlClient::ReportLengthFailure(long status) {
    const std::wstring reason = Utils::FormatWide(L"1.获取文件大小的状态码为=%ld；", {status});
    if (DownloadReporter* reporter = GetDownloadReporter())
        reporter->ReportLengthQueryFailed(reason);
}
