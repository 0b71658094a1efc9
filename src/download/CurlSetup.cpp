#include "download/CurlSetup.h"

#include "config/InstallerConfig.h"

namespace {

std::string& AuthorityFile() {
    static std::string path;
    return path;
}

}  // namespace

void InitLibcurl(InstallerConfig& config) {
    if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) config.LibcurlReady = false;
}

void CleanupLibcurl() {
    curl_global_cleanup();
}

void SetTrustedAuthorityFile(const std::string& path) {
    AuthorityFile() = path;
}

const std::string& TrustedAuthorityFile() {
    return AuthorityFile();
}

CURLcode ApplyTlsPolicy(CURL* curl) {
    int result = curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    result |= curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!AuthorityFile().empty()) {
        result |= curl_easy_setopt(curl, CURLOPT_CAINFO, AuthorityFile().c_str());
    }
    return static_cast<CURLcode>(result);
}
