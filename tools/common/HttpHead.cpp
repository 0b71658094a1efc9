#include "HttpHead.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace tools {

namespace {

constexpr size_t kMaxHeadBytes = 64 << 10;

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* ReasonPhrase(int status) {
    switch (status) {
        case 100:
            return "Continue";
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 206:
            return "Partial Content";
        case 302:
            return "Found";
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
        case 416:
            return "Range Not Satisfiable";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

std::string StatusLine(int status) {
    return "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n";
}

std::string HttpHead::Header(const std::string& name) const {
    const auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
}

bool ReceiveHead(platform::Socket& connection, std::string& pending, std::string& head,
                 std::string& error) {
    for (;;) {
        const size_t end = pending.find("\r\n\r\n");
        if (end != std::string::npos) {
            head = pending.substr(0, end);
            pending.erase(0, end + 4);
            return true;
        }
        if (pending.size() > kMaxHeadBytes) {
            error = "header too large";
            return false;
        }
        char buffer[16384];
        const long n = connection.Receive(buffer, sizeof buffer);
        if (n <= 0) {
            error = "connection closed before the request was complete";
            return false;
        }
        pending.append(buffer, static_cast<size_t>(n));
    }
}

std::optional<HttpHead> ParseHead(const std::string& head) {
    std::istringstream lines(head);
    std::string line;
    if (!std::getline(lines, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream requestLine(line);
    HttpHead parsed;
    std::string version;
    if (!(requestLine >> parsed.method >> parsed.target >> version) || parsed.target.empty() ||
        parsed.target[0] != '/' || version.rfind("HTTP/1.", 0) != 0) {
        return std::nullopt;
    }
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        parsed.headers[LowerAscii(TrimSpaces(line.substr(0, colon)))] =
            TrimSpaces(line.substr(colon + 1));
    }
    return parsed;
}

}  // namespace tools
