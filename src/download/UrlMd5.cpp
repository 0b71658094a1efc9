#include "download/Downloader.h"

std::string GetUrlMd5(const std::string& url) {
    const size_t last = url.rfind('/');
    if (last == std::string::npos) return {};
    const std::string head = url.substr(0, last);
    const size_t previous = head.rfind('/');
    if (previous == std::string::npos) return {};
    return head.substr(previous + 1);
}

bool IsExpectedMd5(const std::string& md5) {
    return md5.size() == 32;
}
