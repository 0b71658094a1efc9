// A stand-in for the analytics collector on 127.0.0.1: accepts upload batches
// at /sa?project=pc, decodes and checks them, and appends every accepted record
// as one line to the output file. It can be told to fail.
//
//   collector --port N --out FILE [--fail-first K] [--status CODE] [--delay-ms MS]
//             [--exit-on-eof]
//
// --status CODE answers CODE instead of 200: to the first K requests with
// --fail-first K, else to all. --fail-first alone fails with 500. --delay-ms
// waits before every answer. --exit-on-eof ends the server when its standard
// input closes, so a test that starts it cannot leave it behind.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

#include "BatchDecoder.h"
#include "ExitOnEof.h"
#include "HttpRequest.h"
#include "platform/Socket.h"
#include "platform/StandardStreams.h"

namespace {

struct Options {
    long port = -1;
    std::string out;
    long failFirst = -1;
    int failStatus = 0;
    long delayMs = 0;
    bool exitOnEof = false;
};

bool ParseNumber(const char* text, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--exit-on-eof") {
            options.exitOnEof = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        long number = 0;
        if (name == "--out") {
            options.out = value;
        } else if (!ParseNumber(value, number)) {
            return false;
        } else if (name == "--port" && number <= 65535) {
            options.port = number;
        } else if (name == "--fail-first") {
            options.failFirst = number;
        } else if (name == "--status" && number >= 100 && number <= 599) {
            options.failStatus = static_cast<int>(number);
        } else if (name == "--delay-ms") {
            options.delayMs = number;
        } else {
            return false;
        }
    }
    return options.port >= 0 && !options.out.empty();
}

class Collector {
public:
    explicit Collector(const Options& options) : options_(options) {}

    bool OpenOutput() {
        output_.open(options_.out, std::ios::app | std::ios::binary);
        return static_cast<bool>(output_);
    }

    void Serve(platform::Socket connection) {
        std::string error;
        auto request = collector::ReadRequest(connection, error);
        if (!request) {
            collector::SendResponse(connection, 400, error);
            return;
        }
        if (options_.delayMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(options_.delayMs));
        }
        if (request->target != "/sa?project=pc") {
            collector::SendResponse(connection, 404, "unknown path " + request->target);
            return;
        }
        if (request->method != "POST") {
            collector::SendResponse(connection, 405, "POST only");
            return;
        }
        const long number = requests_++;
        if (Failing(number)) {
            collector::SendResponse(connection, FailStatus(),
                                    "injected failure for request " + std::to_string(number + 1));
            return;
        }
        auto records = collector::DecodeBatch(request->body, error);
        if (!records) {
            std::cerr << "collector: refused a batch: " << error << std::endl;
            collector::SendResponse(connection, 400, error);
            return;
        }
        Append(*records);
        collector::SendResponse(connection, 200, "ok");
    }

private:
    bool Failing(long number) const {
        if (options_.failFirst >= 0) return number < options_.failFirst;
        return options_.failStatus != 0;
    }
    int FailStatus() const { return options_.failStatus != 0 ? options_.failStatus : 500; }

    void Append(const std::vector<std::string>& records) {
        std::lock_guard<std::mutex> lock(outputLock_);
        for (const auto& record : records) output_ << record << '\n';
        // Readers look at the file while the server runs.
        output_.flush();
    }

    const Options options_;
    std::atomic<long> requests_{0};
    std::mutex outputLock_;
    std::ofstream output_;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: collector --port N --out FILE [--fail-first K] [--status CODE] "
                     "[--delay-ms MS] [--exit-on-eof]"
                  << std::endl;
        return 2;
    }
    Collector collector(options);
    if (!collector.OpenOutput()) {
        std::cerr << "collector: cannot open " << options.out << std::endl;
        return 1;
    }
    platform::Socket listener =
        platform::Socket::ListenLoopback(static_cast<uint16_t>(options.port));
    if (!listener.Valid()) {
        std::cerr << "collector: cannot listen on 127.0.0.1:" << options.port << std::endl;
        return 1;
    }
    platform::WriteStandardOutput("port=" + std::to_string(listener.LocalPort()) + "\n");
    if (options.exitOnEof) tools::ExitWhenInputEnds();
    for (;;) {
        platform::Socket connection = listener.Accept();
        if (!connection.Valid()) continue;
        std::thread([&collector, c = std::move(connection)]() mutable {
            collector.Serve(std::move(c));
        }).detach();
    }
}
