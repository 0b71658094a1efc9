#pragma once
#include <string>

namespace telemetry {

struct HttpResponse {
    // -1 when the request could not be performed; the body then holds the reason.
    int status = -1;
    std::string body;
};

// One libcurl easy handle for the requests of one upload.
class HttpConnection {
public:
    // Throws std::runtime_error when libcurl cannot give a handle.
    HttpConnection(std::string baseUrl, long timeoutSeconds);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // A form POST with no request header of our own. Server certificates are
    // verified: the records carry user identities.
    HttpResponse Post(const std::string& url, const std::string& body);

private:
    std::string baseUrl_;
    long timeoutSeconds_;
    void* curl_;
};

}  // namespace telemetry
