#include "platform/UrlDownload.h"

#include <cstdio>

#include <curl/curl.h>

#include "platform/Text.h"

namespace platform {

namespace {

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

struct Transfer {
    CURL* curl;
    UrlDownloadSink& sink;
};

int Progress(void* transfer, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* self = static_cast<Transfer*>(transfer);
    // A redirect's own small body is no progress of the file: like the moniker,
    // only the final answer counts, and until it arrives the total is unknown.
    long status = 0;
    curl_easy_getinfo(self->curl, CURLINFO_RESPONSE_CODE, &status);
    const bool final = status >= 200 && status < 300;
    const uint64_t max = final && total > 0 ? static_cast<uint64_t>(total) : 0;
    const uint64_t done = final && now > 0 ? static_cast<uint64_t>(now) : 0;
    return self->sink.OnProgress(done, max) ? 0 : 1;
}

// The moniker's answers for the failures a transfer can end with.
int32_t ResultFor(CURLcode code) {
    switch (code) {
        case CURLE_OK:
            return kUrlDownloadOk;
        case CURLE_ABORTED_BY_CALLBACK:
            return kUrlDownloadAborted;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return kUrlDownloadNotFound;
        case CURLE_COULDNT_CONNECT:
        case CURLE_OPERATION_TIMEDOUT:
            return kUrlDownloadCannotConnect;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CACERT_BADFILE:
            return kUrlDownloadSecurity;
        case CURLE_WRITE_ERROR:
            return kUrlDownloadCannotWrite;
        default:
            return kUrlDownloadFailed;
    }
}

}  // namespace

int32_t UrlDownloadToFile(const std::wstring& url, const std::wstring& targetPath,
                          UrlDownloadSink& sink, const std::string& authorityFile) {
    CURL* curl = curl_easy_init();
    if (!curl) return kUrlDownloadFailed;
    FILE* file = std::fopen(ToUtf8(targetPath).c_str(), "wb");
    if (!file) {
        curl_easy_cleanup(curl);
        return kUrlDownloadCannotWrite;
    }
    const std::string narrowUrl = ToUtf8(url);
    Transfer transfer{curl, sink};
    int options = curl_easy_setopt(curl, CURLOPT_URL, narrowUrl.c_str());
    options |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 60L);
    options |= curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 256L << 10);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
    options |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Progress);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    options |= curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!authorityFile.empty()) {
        options |= curl_easy_setopt(curl, CURLOPT_CAINFO, authorityFile.c_str());
    }
    CURLcode code = options == 0 ? curl_easy_perform(curl) : CURLE_FAILED_INIT;
    curl_easy_cleanup(curl);
    if (std::fclose(file) != 0 && code == CURLE_OK) code = CURLE_WRITE_ERROR;
    return ResultFor(code);
}

}  // namespace platform
