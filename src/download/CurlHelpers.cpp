#include "download/CurlHelpers.h"

#include "utils/Encoding.h"

std::wstring CurlErrorText(int code) {
    return Utils::ToWide(curl_easy_strerror(static_cast<CURLcode>(code)), Utils::kAnsiCodePage);
}

CURLcode ContentLength(CURL* handle, double& length) {
    curl_off_t value = -1;
    const CURLcode code = curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &value);
    if (code == CURLE_OK) length = static_cast<double>(value);
    return code;
}
