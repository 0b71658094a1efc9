#include "HttpRequest.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace collector {

namespace {

constexpr size_t kMaxHeaderBytes = 64 * 1024;
constexpr size_t kMaxBodyBytes = 64 * 1024 * 1024;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const char* Reason(int status) {
    switch (status) {
        case 100:
            return "Continue";
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 411:
            return "Length Required";
        case 413:
            return "Payload Too Large";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

}  // namespace

std::optional<HttpRequest> ReadRequest(platform::Socket& connection, std::string& error) {
    std::string data;
    size_t headerEnd;
    char buffer[16384];
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        if (data.size() > kMaxHeaderBytes) {
            error = "header too large";
            return std::nullopt;
        }
        const long n = connection.Receive(buffer, sizeof buffer);
        if (n <= 0) {
            error = "connection closed before the request was complete";
            return std::nullopt;
        }
        data.append(buffer, static_cast<size_t>(n));
    }

    HttpRequest request;
    const size_t lineEnd = data.find("\r\n");
    const std::string requestLine = data.substr(0, lineEnd);
    const size_t space1 = requestLine.find(' ');
    const size_t space2 = requestLine.find(' ', space1 == std::string::npos ? 0 : space1 + 1);
    if (space1 == std::string::npos || space2 == std::string::npos) {
        error = "malformed request line";
        return std::nullopt;
    }
    request.method = requestLine.substr(0, space1);
    request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);

    std::optional<size_t> contentLength;
    bool expectContinue = false;
    for (size_t at = lineEnd + 2; at < headerEnd;) {
        const size_t end = data.find("\r\n", at);
        const std::string line = data.substr(at, end - at);
        at = end + 2;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string name = Lower(Trim(line.substr(0, colon)));
        const std::string value = Trim(line.substr(colon + 1));
        if (name == "content-length") {
            size_t length = 0;
            auto parsed = std::from_chars(value.data(), value.data() + value.size(), length);
            if (parsed.ec != std::errc() || parsed.ptr != value.data() + value.size()) {
                error = "bad Content-Length";
                return std::nullopt;
            }
            contentLength = length;
        } else if (name == "expect" && Lower(value) == "100-continue") {
            expectContinue = true;
        } else if (name == "transfer-encoding") {
            error = "only Content-Length bodies are accepted";
            return std::nullopt;
        }
    }
    const size_t length = contentLength.value_or(0);
    if (length > kMaxBodyBytes) {
        error = "body too large";
        return std::nullopt;
    }
    if (expectContinue) {
        const std::string go = "HTTP/1.1 100 Continue\r\n\r\n";
        connection.SendAll(go.data(), go.size());
    }
    request.body = data.substr(headerEnd + 4);
    while (request.body.size() < length) {
        const long n = connection.Receive(buffer, sizeof buffer);
        if (n <= 0) {
            error = "connection closed inside the body";
            return std::nullopt;
        }
        request.body.append(buffer, static_cast<size_t>(n));
    }
    request.body.resize(length);
    return request;
}

void SendResponse(platform::Socket& connection, int status, const std::string& body) {
    std::string response = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
    if (status != 204) response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    if (status != 204) response += body;
    connection.SendAll(response.data(), response.size());
}

}  // namespace collector
