#include "PackageServer.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "HttpHead.h"
#include "utils/Md5.h"

namespace package_server {

namespace {

constexpr size_t kSendBlockBytes = 1 << 20;

long long Number(const std::string& text, long long fallback) {
    if (text.empty()) return fallback;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && value >= 0 ? value : fallback;
}

bool SendText(platform::Socket& connection, const std::string& text) {
    return connection.SendAll(text.data(), text.size());
}

bool SendStatus(platform::Socket& connection, int status, const std::string& extra = {}) {
    const std::string body = std::string(tools::ReasonPhrase(status)) + "\n";
    return SendText(connection, tools::StatusLine(status) +
                                    "Content-Type: text/plain\r\nContent-Length: " +
                                    std::to_string(body.size()) + "\r\n" + extra + "\r\n" + body);
}

// A safe file name: no folders, nothing that climbs out of the root.
bool ValidName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

struct Range {
    long long first = 0;
    long long last = 0;  // inclusive
};

// "bytes=a-b", "bytes=a-" or "bytes=-n"; false when it cannot be satisfied.
bool ParseRange(const std::string& header, long long size, Range& range) {
    if (header.rfind("bytes=", 0) != 0) return false;
    const std::string spec = header.substr(6);
    const size_t dash = spec.find('-');
    if (dash == std::string::npos || spec.find(',') != std::string::npos) return false;
    const std::string from = spec.substr(0, dash), to = spec.substr(dash + 1);
    if (from.empty()) {
        const long long tail = Number(to, -1);
        if (tail <= 0) return false;
        range.first = std::max(0LL, size - tail);
        range.last = size - 1;
    } else {
        range.first = Number(from, -1);
        range.last = to.empty() ? size - 1 : std::min(Number(to, -1), size - 1);
    }
    return range.first >= 0 && range.first < size && range.last >= range.first;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

void PackageServer::Serve(platform::Socket connection) {
    RequestReader reader(connection);
    while (auto request = reader.Next()) {
        if (!Answer(connection, *request)) break;
    }
    connection.Close();
}

bool PackageServer::Answer(platform::Socket& connection, const Request& request) {
    if (request.method != "GET" && request.method != "HEAD") {
        Log(request, 405);
        return SendStatus(connection, 405);
    }
    const std::string& path = request.path;
    if (path.rfind("/download/", 0) == 0) return Redirect(connection, request, path.substr(10));
    if (path.rfind("/files/", 0) == 0) {
        const std::string rest = path.substr(7);
        const size_t slash = rest.rfind('/');
        return SendFile(connection, request,
                        slash == std::string::npos ? rest : rest.substr(slash + 1));
    }
    Log(request, 404);
    return SendStatus(connection, 404);
}

bool PackageServer::Redirect(platform::Socket& connection, const Request& request,
                             const std::string& name) {
    const std::string file = root_ + "/" + name;
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!ValidName(name) || error) {
        Log(request, 404);
        return SendStatus(connection, 404);
    }
    std::string md5 = Md5Of(file, static_cast<long long>(size));
    const std::string variant = request.Parameter("md5");
    if (variant == "upper") md5 = Upper(md5);
    if (variant == "wrong") md5 = std::string(32, '0');
    if (variant == "short") md5.pop_back();
    std::string location = "/files/" + md5 + "/" + name;
    if (!request.query.empty()) location += "?" + request.query;
    Log(request, 302);
    return SendStatus(connection, 302, "Location: " + location + "\r\n");
}

bool PackageServer::SendFile(platform::Socket& connection, const Request& request,
                             const std::string& name) {
    const bool head = request.method == "HEAD";
    const long number = head ? -1 : CountGet(name);
    // Faults given with first=K hit only the first K body requests for the file.
    const long long first = Number(request.Parameter("first"), -1);
    const bool faulty = first < 0 || (number >= 0 && number < first);
    const int status = static_cast<int>(Number(request.Parameter("status"), 0));
    if (status >= 100 && status <= 599 && (faulty && (first < 0 || !head))) {
        Log(request, status);
        return SendStatus(connection, status);
    }

    std::unique_ptr<FILE, int (*)(FILE*)> file(
        ValidName(name) ? std::fopen((root_ + "/" + name).c_str(), "rb") : nullptr, &std::fclose);
    std::error_code error;
    const long long size =
        file ? static_cast<long long>(std::filesystem::file_size(root_ + "/" + name, error)) : 0;
    if (!file || error) {
        Log(request, 404);
        return SendStatus(connection, 404);
    }

    Range range{0, size - 1};
    int answer = 200;
    const std::string rangeHeader = request.Header("range");
    if (!rangeHeader.empty() && request.Parameter("norange").empty()) {
        if (!ParseRange(rangeHeader, size, range)) {
            Log(request, 416);
            return SendStatus(connection, 416,
                              "Content-Range: bytes */" + std::to_string(size) + "\r\n");
        }
        answer = 206;
    }
    const bool noLength = !request.Parameter("nolength").empty();
    const long long length = size == 0 ? 0 : range.last - range.first + 1;
    std::string headers = tools::StatusLine(answer) +
                          "Content-Type: application/octet-stream\r\nAccept-Ranges: bytes\r\n";
    if (answer == 206) {
        headers += "Content-Range: bytes " + std::to_string(range.first) + "-" +
                   std::to_string(range.last) + "/" + std::to_string(size) + "\r\n";
    }
    headers += noLength ? std::string("Connection: close\r\n")
                        : "Content-Length: " + std::to_string(length) + "\r\n";
    Log(request, answer);
    if (!SendText(connection, headers + "\r\n")) return false;
    if (head) return !noLength;

    const long long drop = faulty ? Number(request.Parameter("drop"), -1) : -1;
    const long long stall = faulty ? Number(request.Parameter("stall"), 0) : 0;
    const long long stallAt = Number(request.Parameter("at"), 0);
    std::fseek(file.get(), static_cast<long>(range.first), SEEK_SET);
    std::vector<char> block(kSendBlockBytes);
    long long sent = 0;
    bool stalled = stall <= 0;
    while (sent < length) {
        long long limit = length - sent;
        if (drop >= 0) limit = std::min(limit, drop - sent);
        if (!stalled) limit = std::min(limit, stallAt - sent);
        if (limit <= 0) {
            if (drop >= 0 && sent >= drop) return false;
            std::this_thread::sleep_for(std::chrono::seconds(stall));
            stalled = true;
            continue;
        }
        const size_t want = static_cast<size_t>(std::min<long long>(limit, block.size()));
        const size_t got = std::fread(block.data(), 1, want, file.get());
        if (got == 0 || !connection.SendAll(block.data(), got)) return false;
        sent += static_cast<long long>(got);
    }
    if (drop >= 0 && sent >= drop) return false;
    return !noLength;
}

std::string PackageServer::Md5Of(const std::string& path, long long size) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        const auto found = md5s_.find(path);
        if (found != md5s_.end() && found->second.first == size) return found->second.second;
    }
    const std::string md5 = Utils::GetFileMd5(path);
    std::lock_guard<std::mutex> guard(lock_);
    md5s_[path] = {size, md5};
    return md5;
}

long PackageServer::CountGet(const std::string& name) {
    std::lock_guard<std::mutex> guard(lock_);
    return gets_[name]++;
}

void PackageServer::Log(const Request& request, int status) {
    if (!log_) return;
    std::lock_guard<std::mutex> guard(lock_);
    const std::string range = request.Header("range");
    std::fprintf(log_, "%s %s%s%s %d %s\n", request.method.c_str(), request.path.c_str(),
                 request.query.empty() ? "" : "?", request.query.c_str(), status,
                 range.empty() ? "-" : range.c_str());
    std::fflush(log_);
}

}  // namespace package_server
