// A package server on 127.0.0.1 for the tests, the demo and the benchmarks.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "ExitOnEof.h"
#include "PackageServer.h"
#include "platform/Socket.h"

namespace {

const char kHelp[] = R"(usage: package-server --root DIR [--port N] [--log FILE] [--exit-on-eof]

Serves the files of DIR over HTTP/1.1 on 127.0.0.1 (port 0 or no --port picks
one). The first line printed is "port=N".

  GET|HEAD /download/<name>     302 to /files/<md5>/<name>, md5 being the file's
                                lower-case MD5; the query string is kept
  GET|HEAD /files/<md5>/<name>  the file, with Content-Length; "Range: bytes=a-b"
  GET|HEAD /files/<name>        gets 206 with Content-Range (416 when it cannot
                                be satisfied); the md5 segment is not checked

Faults, chosen per request by query parameters (they survive the redirect):
  drop=N      close the connection after N body bytes
  stall=S     stop sending for S seconds, once, after at=N body bytes (default 0)
  status=C    answer status C instead of the file
  first=K     drop, stall and status hit only the first K GET requests for this
              file (counted since the server started); without it, every request
  nolength=1  no Content-Length: the body ends when the connection closes
  norange=1   ignore Range and send the whole file with 200
  md5=upper   redirect with the MD5 in upper case
  md5=wrong   redirect with 32 zeros as the MD5
  md5=short   redirect with a 31-character MD5

--log FILE appends one line per request: METHOD TARGET STATUS RANGE ("-" for none).
--exit-on-eof ends the server when its standard input closes, so a test that
starts it cannot leave it behind.
)";

struct Options {
    std::string root;
    long port = 0;
    std::string log;
    bool exitOnEof = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--exit-on-eof") {
            options.exitOnEof = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (name == "--root") {
            options.root = value;
        } else if (name == "--log") {
            options.log = value;
        } else if (name == "--port") {
            char* end = nullptr;
            options.port = std::strtol(value, &end, 10);
            if (*end != '\0' || options.port < 0 || options.port > 65535) return false;
        } else {
            return false;
        }
    }
    return !options.root.empty();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::cout << kHelp;
            return 0;
        }
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << kHelp;
        return 2;
    }
    FILE* log = nullptr;
    if (!options.log.empty() && !(log = std::fopen(options.log.c_str(), "a"))) {
        std::cerr << "package-server: cannot open " << options.log << std::endl;
        return 1;
    }
    platform::Socket listener =
        platform::Socket::ListenLoopback(static_cast<uint16_t>(options.port));
    if (!listener.Valid()) {
        std::cerr << "package-server: cannot listen on 127.0.0.1:" << options.port << std::endl;
        return 1;
    }
    std::cout << "port=" << listener.LocalPort() << std::endl;
    if (options.exitOnEof) tools::ExitWhenInputEnds();
    package_server::PackageServer server(options.root, log);
    for (;;) {
        platform::Socket connection = listener.Accept();
        if (!connection.Valid()) continue;
        std::thread([&server, c = std::move(connection)]() mutable {
            server.Serve(std::move(c));
        }).detach();
    }
}
