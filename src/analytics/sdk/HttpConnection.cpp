#include "analytics/sdk/HttpConnection.h"

#include <curl/curl.h>

#include <stdexcept>

#include "analytics/sdk/LibraryInfo.h"

namespace telemetry {

namespace {

size_t AppendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

}  // namespace

HttpConnection::HttpConnection(std::string baseUrl, long timeoutSeconds)
    : baseUrl_(std::move(baseUrl)), timeoutSeconds_(timeoutSeconds), curl_(curl_easy_init()) {
    if (!curl_) throw std::runtime_error("Couldn't initialize curl handle");
}

HttpConnection::~HttpConnection() {
    curl_easy_cleanup(curl_);
}

HttpResponse HttpConnection::Post(const std::string& url, const std::string& body) {
    CURL* curl = curl_;
    const std::string target = baseUrl_ + url;
    HttpResponse response;
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, static_cast<curl_slist*>(nullptr));
    curl_easy_setopt(curl, CURLOPT_USERAGENT,
                     (std::string("Analytics CPP SDK ") + kLibraryVersion).c_str());
    if (timeoutSeconds_ != 0) {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeoutSeconds_);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    }
    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK) {
        response.status = -1;
        response.body = curl_easy_strerror(code);
    } else {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        response.status = static_cast<int>(status);
    }
    curl_easy_reset(curl);
    return response;
}

}  // namespace telemetry
