#pragma once
// Serves the files of one folder as packages: /download/<name> redirects to
// /files/<md5>/<name>, which answers with the file (whole or by range), with
// the faults that the request's query asks for.
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "Request.h"
#include "platform/Socket.h"

namespace package_server {

class PackageServer {
public:
    PackageServer(std::string root, FILE* log) : root_(std::move(root)), log_(log) {}

    // Answers requests on the connection until the peer closes or a fault ends it.
    void Serve(platform::Socket connection);

private:
    // False when the connection must be closed afterwards.
    bool Answer(platform::Socket& connection, const Request& request);
    bool Redirect(platform::Socket& connection, const Request& request, const std::string& name);
    bool SendFile(platform::Socket& connection, const Request& request, const std::string& name);
    // The lower-case MD5 of a file, computed once per file and size.
    std::string Md5Of(const std::string& path, long long size);
    // How many body requests for the file came before this one.
    long CountGet(const std::string& name);
    void Log(const Request& request, int status);

    std::string root_;
    FILE* log_;
    std::mutex lock_;
    std::map<std::string, std::pair<long long, std::string>> md5s_;
    std::map<std::string, long> gets_;
};

}  // namespace package_server
