#include "HttpRequest.h"

#include <charconv>

#include "HttpHead.h"

namespace collector {

namespace {

constexpr size_t kMaxBodyBytes = 64 * 1024 * 1024;

// A decimal length and nothing else.
bool ParseLength(const std::string& text, size_t& length) {
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, length);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == end;
}

}  // namespace

std::optional<HttpRequest> ReadRequest(platform::Socket& connection, std::string& error) {
    std::string pending, head;
    if (!tools::ReceiveHead(connection, pending, head, error)) return std::nullopt;
    const std::optional<tools::HttpHead> parsed = tools::ParseHead(head);
    if (!parsed) {
        error = "malformed request line";
        return std::nullopt;
    }
    if (parsed->headers.count("transfer-encoding")) {
        error = "only Content-Length bodies are accepted";
        return std::nullopt;
    }
    size_t length = 0;
    if (parsed->headers.count("content-length") &&
        !ParseLength(parsed->Header("content-length"), length)) {
        error = "bad Content-Length";
        return std::nullopt;
    }
    if (length > kMaxBodyBytes) {
        error = "body too large";
        return std::nullopt;
    }
    if (tools::LowerAscii(parsed->Header("expect")) == "100-continue") {
        const std::string go = tools::StatusLine(100) + "\r\n";
        connection.SendAll(go.data(), go.size());
    }
    HttpRequest request{parsed->method, parsed->target, std::move(pending)};
    char buffer[16384];
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
    std::string response = tools::StatusLine(status);
    if (status != 204) response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    if (status != 204) response += body;
    connection.SendAll(response.data(), response.size());
}

}  // namespace collector
