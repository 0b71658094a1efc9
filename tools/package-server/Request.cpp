#include "Request.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace package_server {

namespace {

constexpr size_t kMaxHeaderBytes = 64 << 10;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<Request> Parse(const std::string& head) {
    std::istringstream lines(head);
    std::string line;
    if (!std::getline(lines, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream requestLine(line);
    Request request;
    std::string target, version;
    if (!(requestLine >> request.method >> target >> version) || target.empty() ||
        target[0] != '/' || version.rfind("HTTP/1.", 0) != 0) {
        return std::nullopt;
    }
    const size_t question = target.find('?');
    request.path = target.substr(0, question);
    if (question != std::string::npos) request.query = target.substr(question + 1);
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        request.headers[Lower(line.substr(0, colon))] = TrimSpaces(line.substr(colon + 1));
    }
    return request;
}

}  // namespace

std::string Request::Parameter(const std::string& name) const {
    std::istringstream pairs(query);
    for (std::string pair; std::getline(pairs, pair, '&');) {
        const size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name) {
            return equals == std::string::npos ? "1" : pair.substr(equals + 1);
        }
    }
    return {};
}

std::string Request::Header(const std::string& name) const {
    const auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
}

std::optional<Request> RequestReader::Next() {
    for (;;) {
        const size_t end = pending_.find("\r\n\r\n");
        if (end != std::string::npos) {
            const std::string head = pending_.substr(0, end);
            pending_.erase(0, end + 4);
            return Parse(head);
        }
        if (pending_.size() > kMaxHeaderBytes) return std::nullopt;
        char buffer[4096];
        const long n = connection_.Receive(buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace package_server
